#include "CommandSupport.h"

#include "cli/Commands.h"
#include "qtio/FileNames.h"
#include "rom/RecordTables.h"
#include "tables/TablesJson.h"

namespace tarnwick::cli {

namespace {

QString fontFormatName(FontFormat format) {
    switch (format) {
    case FontFormat::SnesPlanar2bpp:
        return QStringLiteral("2 bits a pixel, planar");
    case FontFormat::GbaEnglishVariable:
        return QStringLiteral("variable width, 2 bits a pixel");
    case FontFormat::GbaJapanese4bpp:
        return QStringLiteral("4 bits a pixel");
    }
    return {};
}

class InfoPrinter {
public:
    InfoPrinter(const RomImage& document, QTextStream& stream)
        : rom(document), out(stream), release(variantIndex(document.variant())),
          header(static_cast<std::uint64_t>(document.getHeaderSize())) {}

    void print(const QString& path) {
        const std::uint64_t imageSize = rom.getSize() - header;
        field(QStringLiteral("Image"), shownPath(path));
        field(QStringLiteral("Release"),
              QStringLiteral("%1 (%2)").arg(asciiText(releaseName(rom.variant())),
                                            asciiText(releaseKey(rom.variant()))));
        field(QStringLiteral("Copier header"),
              header == 0 ? QStringLiteral("none") : byteCount(header));
        field(QStringLiteral("Title"), printableTitle(rom.internalTitle()));
        field(QStringLiteral("Image size"), byteCount(imageSize));
        if (rom.getFileLength() > imageSize)
            field(QStringLiteral("File length"), byteCount(rom.getFileLength()));

        out << "\n" << row(QStringLiteral("Record tables"), "image", "file", "records x bytes");
        for (const TableBinding& binding : recordTables()) {
            const TablePlacement& where = (*binding.placement)[release];
            place(asciiText(binding.key), where.offset,
                  QStringLiteral("%1 x %2").arg(where.count).arg(where.recordSize));
        }
        if (const auto& gp = gpMultiplierOffset[release])
            place(QStringLiteral("gpMultiplier"), *gp, QStringLiteral("1 byte"));

        out << "\n" << row(QStringLiteral("Name areas"), "image", "file", "names");
        for (const NameBinding& binding : nameTables())
            printNameArea(binding);

        out << "\n" << row(QStringLiteral("Graphics"), "image", "file", "");
        const FontPlacement& font = fontPlacement[release];
        place(QStringLiteral("Font"), font.offset,
              QStringLiteral("%1 glyphs, %2, up to %3")
                  .arg(font.glyphsDrawn)
                  .arg(fontFormatName(font.format), byteCount(font.maxLength)));
        const ByteArea& palette = paletteArea[release];
        place(QStringLiteral("Palette"), palette.offset,
              QStringLiteral("%1 colours, %2")
                  .arg(paletteColourCount)
                  .arg(byteCount(palette.length)));
    }

private:
    static QString row(const QString& name, const QString& image, const QString& file,
                       const QString& detail) {
        QString line = QStringLiteral("%1 %2 %3 %4")
                           .arg(name.leftJustified(20), image.leftJustified(10),
                                file.leftJustified(10), detail);
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        return line + QLatin1Char('\n');
    }

    void field(const QString& name, const QString& value) {
        out << (name + QLatin1Char(':')).leftJustified(15) << value << "\n";
    }

    void place(const QString& name, std::uint64_t offset, const QString& detail) {
        out << row(QStringLiteral("  ") + name, hex(offset), hex(offset + header), detail);
    }

    void printNameArea(const NameBinding& binding) {
        const NameArea& area = (*binding.area)[release];
        const QString name = asciiText(binding.key);
        if (area.count == 0) {
            out << row(QStringLiteral("  ") + name, "-", "-", "none in this release");
            return;
        }
        const int firstPart = area.secondSlot >= 0 ? area.secondSlot : area.count;
        const QString each = area.fieldLength > 0
                                 ? QStringLiteral("x %1 bytes").arg(area.fieldLength)
                                 : QStringLiteral("strings");
        QString detail = QStringLiteral("%1 %2").arg(firstPart).arg(each);
        if (area.secondSlot >= 0)
            detail += QStringLiteral("; slots %1-%2 at %3 (file %4)")
                          .arg(area.secondSlot)
                          .arg(area.count - 1)
                          .arg(hex(area.secondOffset), hex(area.secondOffset + header));
        if (binding.reservedSlotZero)
            detail += QStringLiteral(" into slots 1-%1").arg(area.count);
        place(name, area.offset, detail);
    }

    const RomImage& rom;
    QTextStream& out;
    const int release;
    const std::uint64_t header;
};

} // namespace

int runInfo(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("info"), QStringLiteral("[--japanese] [--any-image] IMAGE"),
        QStringLiteral("Shows the image's release, copier header, internal title and size, and\n"
                       "where each table, name area, the font and the palettes lie, both in the\n"
                       "image proper and in the file.")};
    return runImageCommand(args, io,
                           {syntax, {}, {}, [&io](RomImage& rom, const QCommandLineParser& parser) {
                                InfoPrinter(rom, io.out).print(parser.positionalArguments().at(0));
                                return static_cast<int>(exitSuccess);
                            }});
}

} // namespace tarnwick::cli
