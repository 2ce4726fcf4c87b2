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
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    auto* icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(side, side));
    message = new QLabel(this);
    message->setObjectName(QStringLiteral("fileChangedText"));
    message->setWordWrap(true);
    message->setTextFormat(Qt::PlainText);
    reload = new QPushButton(QStringLiteral("&Reload"), this);
    reload->setObjectName(QStringLiteral("reloadButton"));
    reload->setToolTip(QStringLiteral("Read the file again as it is on disk now"));
    auto* dismiss = new QPushButton(QStringLiteral("Dis&miss"), this);
    dismiss->setObjectName(QStringLiteral("dismissButton"));
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addWidget(message, 1);
    layout->addWidget(reload, 0, Qt::AlignTop);
    layout->addWidget(dismiss, 0, Qt::AlignTop);
    connect(reload, &QPushButton::clicked, this, &FileChangedNotice::reloadRequested);
    connect(dismiss, &QPushButton::clicked, this, &QWidget::hide);
    hide();
}

void FileChangedNotice::showChange(const QString& text, bool canReload) {
    message->setText(text);
    reload->setVisible(canReload);
    show();
}

} // namespace tarnwick
