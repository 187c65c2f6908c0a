// Program entry: the command line, the application and its font, and the windows in start-up
// order.
#include "app/Windows.h"
#include "catalogue/CommandLine.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/Widgets.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <cstdio>
#include <filesystem>

int main(int argc, char* argv[]) {
    using kamelune::CommandLine;
    // Help and the version need no display: answered before the application exists.
    const std::vector<std::string> raw(argv + 1, argv + argc);
    if (kamelune::AsksForHelpOrVersion(raw)) {
        const CommandLine c = kamelune::ParseCommandLine(raw, {});
        std::fputs(c.action == CommandLine::Action::Version
                       ? kamelune::VersionText(qVersion()).c_str()
                       : kamelune::HelpText().c_str(),
                   stdout);
        return 0;
    }
    // A mistake is told without a display too.
    const CommandLine early = kamelune::ParseCommandLine(kamelune::WithoutQtOptions(raw),
                                                         std::filesystem::current_path().string());
    if (early.action == CommandLine::Action::Error) {
        std::fprintf(stderr, "kamelune: %s\n%s", early.message.c_str(),
                     kamelune::HelpText().c_str());
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kamelune"));
    kamelune::LoadQtJapanese();
    // What is left once Qt took its own options (-platform and the like).
    std::vector<std::string> args;
    for (const QString& a : QCoreApplication::arguments().mid(1))
        args.push_back(a.toStdString());
    const CommandLine start = kamelune::ParseCommandLine(args, QDir::currentPath().toStdString());
    if (start.action == CommandLine::Action::Error) {
        std::fprintf(stderr, "kamelune: %s\n%s", start.message.c_str(),
                     kamelune::HelpText().c_str());
        return 2;
    }
    // fontconfig does not map the Windows face name; the list keeps Japanese and Latin text in
    // one gothic face.
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(12);
    QApplication::setFont(font);
    // The program's own icon; an installed icon theme may hold a better one.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kamelune"),
                                                 QIcon(QStringLiteral(":/icons/kamelune.png"))));
    QGuiApplication::setDesktopFileName(QStringLiteral("kamelune"));

    kamelune::QtDialogService dialogs;
    kamelune::Windows windows(kamelune::ResolveAppPaths(QCoreApplication::applicationFilePath()),
                              dialogs, start);
    windows.mainWindow->show();
    return QApplication::exec();
}
