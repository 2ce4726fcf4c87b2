#include "app/FileChangedNotice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace tarnwick {

FileChangedNotice::FileChangedNotice(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("fileChangedNotice"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    // The text above its buttons, so the bar fits the window's width instead of widening it.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    auto* textRow = new QHBoxLayout;
    // The warning sign is drawn when the bar first shows: at start-up nobody sees it.
    icon = new QLabel(this);
    message = new QLabel(this);
    message->setObjectName(QStringLiteral("fileChangedText"));
    message->setWordWrap(true);
    message->setTextFormat(Qt::PlainText);
    message->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::MinimumExpanding);
    textRow->addWidget(icon, 0, Qt::AlignTop);
    textRow->addWidget(message, 1);
    reload = new QPushButton(QStringLiteral("&Reload"), this);
    reload->setObjectName(QStringLiteral("reloadButton"));
    reload->setToolTip(QStringLiteral("Read the file again as it is on disk now"));
    auto* dismiss = new QPushButton(QStringLiteral("Dis&miss"), this);
    dismiss->setObjectName(QStringLiteral("dismissButton"));
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(reload);
    buttonRow->addWidget(dismiss);
    layout->addLayout(textRow);
    layout->addLayout(buttonRow);
    connect(reload, &QPushButton::clicked, this, &FileChangedNotice::reloadRequested);
    connect(dismiss, &QPushButton::clicked, this, &QWidget::hide);
    hide();
}

void FileChangedNotice::showChange(const QString& text, bool canReload) {
    if (icon->pixmap().isNull()) {
        const int side = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
        icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(side, side));
    }
    message->setText(text);
    reload->setVisible(canReload);
    show();
}

} // namespace tarnwick
