#include "plataforma/base/thread.h"

TThread::~TThread() {
    if (!thread_.joinable()) return;
    if (thread_.get_id() == std::this_thread::get_id()) {
        // Freed from its own thread (FreeOnTerminate set after the start).
        thread_.detach();
        return;
    }
    Terminate();
    thread_.join();
}

void TThread::Start() {
    if (thread_.joinable()) return;
    // A thread that frees itself may be gone as soon as it starts: nothing here touches the
    // object after it is running.
    const bool self = freeOnTerminate_;
    std::thread t(&TThread::Run, this);
    if (self)
        t.detach();
    else
        thread_ = std::move(t);
}

void TThread::WaitFor() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void TThread::Run() {
    try {
        Execute();
    } catch (...) {
        fatal_ = std::current_exception();
    }
    finished_ = true;
    if (freeOnTerminate_) delete this;
}
