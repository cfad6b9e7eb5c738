#include <QApplication>
#include <QMainWindow>

#include <clocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Qt adopts the user's locale; numbers in files and command lines must
    // never see a decimal comma.
    std::setlocale(LC_NUMERIC, "C");

    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("KIV-5400"));
    frame.resize(1024, 768);
    frame.showMaximized();
    return app.exec();
}
