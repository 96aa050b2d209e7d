#include "Form1.h"
#include "QtCommonDialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Form1::substituteMissingFonts();
    QtCommonDialogs dialogs;
    Form1 window(dialogs);
    app.setWindowIcon(window.windowIcon());
    window.show();
    return app.exec();
}
