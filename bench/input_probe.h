// How long input waits: a thread feeds key presses into the window system's event queue every
// few milliseconds, as the platform's own event reader does; the time from feeding to delivery
// is how long a user's key press would have waited. Events the user-interface thread holds back
// (processEvents that excludes input) count as waiting, as a real key press would.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QInputDevice>
#include <QKeyEvent>
#include <QWindow>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <qpa/qwindowsysteminterface.h>
#include <thread>

namespace kamelune::bench {

class InputProbe : public QObject {
public:
    explicit InputProbe(QWindow* window) : window_(window) {
        clock_.start();
        QCoreApplication::instance()->installEventFilter(this);
        // Made on first use, as a child of the application: make it here, not on the feeder.
        QInputDevice::primaryKeyboard();
    }
    ~InputProbe() override { Stop(); }

    void Start() {
        worst_ = 0;
        stop_ = false;
        fed_ = 0;
        delivered_ = 0;
        last_ = 0;
        feeder_ = std::thread([this] {
            while (!stop_) {
                QWindowSystemInterface::handleKeyEvent<
                    QWindowSystemInterface::AsynchronousDelivery>(
                    window_, static_cast<ulong>(clock_.elapsed()), QEvent::KeyPress, Qt::Key_F35,
                    Qt::NoModifier, QString::number(++fed_));
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    }
    // Stops feeding, lets every fed event arrive, and gives the longest wait in milliseconds.
    qint64 Stop() {
        if (!feeder_.joinable()) return worst_;
        stop_ = true;
        feeder_.join();
        QElapsedTimer grace;
        grace.start();
        while (delivered_ < fed_ && grace.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return worst_;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F35) return false;
        // One event passes several filters on its way to the focus widget: count it once.
        const int seq = key->text().toInt();
        if (seq <= last_) return true;
        last_ = seq;
        ++delivered_;
        worst_ = std::max(worst_, clock_.elapsed() - static_cast<qint64>(key->timestamp()));
        return true;
    }

private:
    QWindow* window_;
    QElapsedTimer clock_;
    std::thread feeder_;
    std::atomic<bool> stop_{false};
    std::atomic<int> fed_{0};
    int delivered_ = 0;
    int last_ = 0;
    qint64 worst_ = 0;
};

} // namespace kamelune::bench
