// Program entry: the application, its font, and the windows in start-up order.
#include "catalogue/Forms.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kamelune"));
    // fontconfig does not map the Windows face name; the list keeps Japanese and Latin text in
    // one gothic face.
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(12);
    QApplication::setFont(font);
    // The launcher's icon, once installed.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kamelune")));
    QGuiApplication::setDesktopFileName(QStringLiteral("kamelune"));

    kamelune::CreateWindows(kamelune::ResolveAppPaths(QCoreApplication::applicationFilePath()));
    kamelune::FormMain->show();
    const int status = QApplication::exec();
    kamelune::DestroyWindows();
    return status;
}
