#include "VlqApplication.h"

#include <QApplication>
#include <QMainWindow>

int runVorlaquince(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.show();
    return app.exec();
}
