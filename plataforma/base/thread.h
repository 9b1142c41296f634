#pragma once
// TThread: a thread of the program that runs Execute once. A subclass starts it (Start),
// usually at the end of its own constructor: a thread cannot start from the base class's
// constructor, where the subclass is not made yet. With FreeOnTerminate the object deletes
// itself when Execute ends, and nobody may touch it once started; otherwise its owner waits
// for it (WaitFor) and deletes it. A subclass whose Execute may still run when it is deleted
// stops it in its own destructor (Terminate, WaitFor): once the subclass's part is gone,
// Execute cannot run on. An exception that leaves Execute ends the thread and is kept
// (GetFatalException).

#include "plataforma/base/object.h"

#include <atomic>
#include <exception>
#include <thread>

class TThread : public TObject {
public:
    TThread() = default;
    // A thread still running is asked to end and waited for (see above).
    ~TThread() override;
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Runs Execute in a thread of its own; once only.
    void Start();
    // Asks Execute to end: it reads GetTerminated.
    void Terminate() { terminated_ = true; }
    bool GetTerminated() const { return terminated_; }
    // Waits for the end of Execute (of a thread that does not free itself).
    void WaitFor();
    bool GetFinished() const { return finished_; }
    bool GetFreeOnTerminate() const { return freeOnTerminate_; }
    void SetFreeOnTerminate(bool Value) { freeOnTerminate_ = Value; }
    std::exception_ptr GetFatalException() const { return fatal_; }

protected:
    virtual void Execute() = 0;

private:
    void Run();

    std::thread thread_;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    std::atomic<bool> freeOnTerminate_{false};
    std::exception_ptr fatal_;
};
