#include "ArgumentHelp.h"

#include <algorithm>

namespace tarnwick::cli {
namespace {

// The parser wraps its help at this many characters a line.
constexpr qsizetype helpWidth = 79;

// The words of text in lines of at most width characters, the later ones indented.
QString wrapped(const QString& text, qsizetype indent, qsizetype width) {
    QString out;
    qsizetype lineLength = 0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (lineLength > 0 && lineLength + 1 + word.size() > width) {
            out += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            lineLength = 0;
        } else if (lineLength > 0) {
            out += QLatin1Char(' ');
            ++lineLength;
        }
        out += word;
        lineLength += word.size();
    }
    return out;
}

} // namespace

QString commandHelpText(const QCommandLineParser& parser, const CommandSyntax& syntax,
                        const ArgumentList& arguments) {
    // The parser's usage line names the executable as it was started; ours names the command
    // the way the user types it.
    QString text = parser.helpText();
    text.replace(0, text.indexOf(QLatin1Char('\n')),
                 QStringLiteral("Usage: %1 %2 %3").arg(programName, syntax.name, syntax.arguments));
    // The parser sizes its name column by the options alone and breaks a longer argument name
    // in two ("JSON|MODIFIE" / "D"), so the arguments are listed here, in the options' column
    // or a wider one.
    const QString heading = QStringLiteral("\nArguments:\n");
    const qsizetype section = text.indexOf(heading);
    if (section < 0 || arguments.isEmpty())
        return text;
    text.truncate(section + heading.size());
    const qsizetype helpLine = text.indexOf(QLatin1String("\n  -h, --help")) + 1;
    const qsizetype helpDescription = text.indexOf(QLatin1String("Displays"), helpLine);
    qsizetype column = helpLine > 0 && helpDescription > 0 ? helpDescription - helpLine : 0;
    for (const auto& argument : arguments)
        column = std::max(column, argument.first.size() + 3);
    for (const auto& [name, description] : arguments)
        text += QStringLiteral("  ") + name.leftJustified(column - 2) +
                wrapped(description, column, helpWidth - column) + QLatin1Char('\n');
    return text;
}

QString parseErrorText(const QCommandLineParser& parser) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        QStringList shown;
        for (const QString& name : unknown)
            shown << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        return (unknown.size() == 1 ? QStringLiteral("unknown option ")
                                    : QStringLiteral("unknown options ")) +
               shown.join(QStringLiteral(", "));
    }
    // The parser's other refusals ("Missing value after '--table'.") in the tool's voice.
    QString text = parser.errorText();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

} // namespace tarnwick::cli
