#include "editors/ManualWindow.h"

#include "controls/WindowPlacement.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace tarnwick {
namespace {

QString manualText() {
    QFile file(QStringLiteral(":/manual/MANUAL.md"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

ManualWindow::ManualWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Tarnwick Manual"));
    setAttribute(Qt::WA_DeleteOnClose);
    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("manualText"));
    browser->setOpenExternalLinks(true);
    browser->setMarkdown(manualText());
    browser->document()->setDocumentMargin(12);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    resize(640, 560);
    keepOnScreen(this);
}

bool ManualWindow::showSection(const QString& heading) {
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0 || block.text() != heading)
            continue;
        // The cursor at the heading's end first makes the view lay the text out that far; the
        // scroll then puts the heading at the top.
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::End);
        browser->setTextCursor(cursor);
        browser->ensureCursorVisible();
        const QRectF where = browser->document()->documentLayout()->blockBoundingRect(block);
        browser->verticalScrollBar()->setValue(static_cast<int>(where.top()));
        cursor.setPosition(block.position());
        browser->setTextCursor(cursor);
        return true;
    }
    return false;
}

QString ManualWindow::sectionShown() const {
    const int top = browser->verticalScrollBar()->value();
    QString heading;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0)
            continue;
        if (browser->document()->documentLayout()->blockBoundingRect(block).top() > top + 1)
            break;
        heading = block.text();
    }
    return heading;
}

ManualWindow* openManual(QWidget* parent, const QString& heading) {
    auto* manual = new ManualWindow(parent);
    manual->show();
    if (!heading.isEmpty())
        manual->showSection(heading);
    return manual;
}

} // namespace tarnwick
