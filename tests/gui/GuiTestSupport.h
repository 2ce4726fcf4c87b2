#pragma once

#include "controls/DialogTemplate.h"
#include "demo/DemoImage.h"
#include "rom/Releases.h"
#include "rom/RomImage.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace tarnwick::testing {

// The control of a window that carries a resource number, or nullptr.
template <typename Widget = QWidget> Widget* findControl(const QWidget* root, int id) {
    for (Widget* widget : root->findChildren<Widget*>())
        if (widget->property(controlIdProperty).toInt() == id)
            return widget;
    return nullptr;
}

// One data row per release, in a column "release" holding its RomVariant as an int.
inline void addReleaseRows() {
    QTest::addColumn<int>("release");
    for (RomVariant release : allReleases)
        QTest::newRow(releaseKey(release).data()) << variantIndex(release);
}

inline QString releaseFileName(RomVariant release) {
    return toQString(releaseKey(release)) +
           (isGbaVariant(release) ? QStringLiteral(".gba") : QStringLiteral(".smc"));
}

// Writes a demo image of the release into the folder and returns its path.
inline QString writeDemoFile(const QTemporaryDir& folder, RomVariant release,
                             bool copierHeader = false) {
    const QString path = QDir(folder.path())
                             .filePath((copierHeader ? QStringLiteral("header-") : QString()) +
                                       releaseFileName(release));
    const Status written =
        writeDemoImage(DemoImageOptions{release, copierHeader, 0},
                       QFile::encodeName(path).toStdString(), ExistingFile::Replace);
    return written ? path : QString();
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where a screenshot of this name goes: the build folder's screenshots, created if missing.
inline QString screenshotPath(const QString& name) {
    QDir().mkpath(QStringLiteral(TARNWICK_SCREENSHOT_DIR));
    return QDir(QStringLiteral(TARNWICK_SCREENSHOT_DIR)).filePath(name);
}

// Saves a picture of the widget as it is drawn now, under the build folder's screenshots.
inline bool saveScreenshot(QWidget* widget, const QString& name) {
    return widget->grab().save(screenshotPath(name));
}

// Turns the mouse wheel one notch down over the middle of a widget; returns whether the widget
// took the turn (an ignored turn goes on to the window beneath).
inline bool turnWheelOver(QWidget* widget) {
    const QPointF centre = QRectF(widget->rect()).center();
    QWheelEvent wheel(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
    return wheel.isAccepted();
}

// Chooses a row of a drop-down list as a user does with the mouse: opens the list, scrolls to
// the row and clicks it.
inline void chooseWithMouse(QComboBox* list, int row) {
    list->showPopup();
    QAbstractItemView* view = list->view();
    const QModelIndex index = list->model()->index(row, list->modelColumn());
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

// Runs a dialog's modal loop started by start (a button click, say) and, once the dialog is
// up, hands it to act; a dialog that act leaves open is closed after it. Returns false if no
// modal dialog came up.
template <typename Start, typename Act> bool whileModal(Start start, Act act) {
    bool opened = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        opened = dialog != nullptr;
        if (opened)
            act(dialog);
        if (opened && dialog->isVisible())
            dialog->close();
    });
    start();
    return opened;
}

// Saves a picture of a window with one of its lists open: the window, and the list's pop-up
// drawn over it where the screen shows it. The picture grows to hold a pop-up that reaches
// past the window.
inline bool saveScreenshotWithOpenList(QWidget* window, QComboBox* list, const QString& name) {
    list->showPopup();
    // Highlight a row above the current one, so both colours show.
    const int highlighted = std::max(0, list->currentIndex() - 3);
    list->view()->setCurrentIndex(list->model()->index(highlighted, list->modelColumn()));
    QWidget* popup = list->view()->window();
    const QPoint offset = popup->mapToGlobal(QPoint()) - window->mapToGlobal(QPoint());
    const QRect bounds = window->rect().united(QRect(offset, popup->size()));
    QImage picture(bounds.size(), QImage::Format_RGB32);
    picture.fill(Qt::darkGray);
    QPainter painter(&picture);
    painter.drawPixmap(-bounds.topLeft(), window->grab());
    painter.drawPixmap(offset - bounds.topLeft(), popup->grab());
    painter.end();
    list->hidePopup();
    return picture.save(screenshotPath(name));
}

} // namespace tarnwick::testing
