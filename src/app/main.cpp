// vantrelo: the launcher itself, in the tray until its hotkey brings the input window.
#include "app/application.h"

#include "core/datafolder.h"
#include "platform/startup/commandline.h"

#include <QApplication>
#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

// Only a write is safe here; the event loop does the rest.
void OnTerminate(int) {
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &c, 1);
}

} // namespace

int main(int argc, char* argv[]) {
    // Help, version and a missing display are answered before Qt opens (or fails to open) a display.
    QStringList given;
    for (int i = 1; i < argc; ++i)
        given << QString::fromLocal8Bit(argv[i]);
    const auto reachable = [] {
        xcb_connection_t* x = xcb_connect(nullptr, nullptr);
        const bool ok = xcb_connection_has_error(x) == 0;
        xcb_disconnect(x);
        return ok;
    };
    if (const auto early = vantrelo::AnswerBeforeDisplay(vantrelo::ParseCommandLine(given),
                                                         qEnvironmentVariable("DISPLAY"),
                                                         qEnvironmentVariable("QT_QPA_PLATFORM"), reachable)) {
        std::fputs(early->out.toLocal8Bit().constData(), stdout);
        std::fputs(early->err.toLocal8Bit().constData(), stderr);
        return early->exitCode;
    }
    // Global hotkeys and window activation need X11; under Wayland the program runs through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // No Qt::AA_ShareOpenGLContexts: it makes the application open an OpenGL context at start (the
    // GL driver's libraries, some 50 MB), for a web view most runs never show. The engine, loaded on
    // first use, then composites its pages in software.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrelo"));
    // The window hides instead of closing; the program ends only through its exit commands.
    QApplication::setQuitOnLastWindowClosed(false);

    // A log-out or kill sends SIGTERM: the program still stops in order (settings, backup, cache).
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
        auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
            char c;
            while (::read(signalPipe[0], &c, 1) > 0) {
            }
            QCoreApplication::exit(0);
        });
        struct sigaction sa {};
        sa.sa_handler = OnTerminate;
        sigemptyset(&sa.sa_mask);
        ::sigaction(SIGTERM, &sa, nullptr);
        ::sigaction(SIGINT, &sa, nullptr);
        ::sigaction(SIGHUP, &sa, nullptr);
    }

    const QString exeFolder = QCoreApplication::applicationDirPath();
    vantrelo::TPlaces places;
    places.dataFolder = vantrelo::ResolveDataFolder(exeFolder);
    places.programFolder = vantrelo::ResolveProgramFolder(exeFolder);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();

    vantrelo::TApplication launcher(places, args);
    const int early = launcher.Start();
    if (early >= 0)
        return early;
    const int code = QApplication::exec();
    launcher.Shutdown();
    return code;
}
