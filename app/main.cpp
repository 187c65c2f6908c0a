// Program entry: the application, its font and the main window.
#include <QApplication>
#include <QFont>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kamelune"));
    QApplication::setApplicationDisplayName(QStringLiteral("ミルノのExif解析 Kamelune"));
    // fontconfig does not map the Windows face name; the list keeps Japanese and Latin text in
    // one gothic face.
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(12);
    QApplication::setFont(font);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("ミルノのExif解析 Kamelune Ver. 0.8C"));
    window.resize(796, 414);
    window.show();
    return QApplication::exec();
}
