// The floor for the editor's start-up: the least a Qt Widgets program does to show a window of
// the main window's size with a few ordinary controls, paint it and save the picture. Timing
// `tarnwick IMAGE --screenshot OUT.png` against `tarnwick_minimal_window OUT.png` shows what the
// editor's own start-up adds to what every Qt program pays.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: tarnwick_minimal_window OUT.png\n");
        return 2;
    }
    const QString picture = arguments.at(1);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal window"));
    // The editor's main window with a loaded image is this size.
    window.setFixedSize(320, 199);
    auto* layout = new QGridLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("A title")), 0, 0, 1, 3);
    layout->addWidget(new QPushButton(QStringLiteral("&First")), 1, 0);
    layout->addWidget(new QPushButton(QStringLiteral("&Second")), 1, 1);
    layout->addWidget(new QPushButton(QStringLiteral("T&hird")), 1, 2);
    auto* choice = new QComboBox;
    choice->addItems({QStringLiteral("One"), QStringLiteral("Two")});
    layout->addWidget(choice, 2, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("A status line")), 3, 0, 1, 3);
    window.show();

    // As the editor does: the picture is taken from the event loop once the window is shown.
    int exitCode = 0;
    QTimer::singleShot(0, &window, [&] {
        if (!window.grab().save(picture, "PNG")) {
            std::fprintf(stderr, "Could not write the picture \"%s\".\n",
                         QFile::encodeName(picture).constData());
            exitCode = 1;
        }
        window.close();
    });
    app.exec();
    return exitCode;
}
