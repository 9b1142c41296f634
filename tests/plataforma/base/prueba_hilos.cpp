// Threads: one that frees itself when it ends, one its owner asks to end and waits for, and
// one whose Execute raises. Each wait is on the event itself, never on a time.

#include "plataforma/base/exceptions.h"
#include "plataforma/base/thread.h"

#include <gtest/gtest.h>

#include <future>

namespace {

class Hilo : public TThread {
public:
    Hilo(std::promise<std::thread::id>* Fin, bool Libre, bool Lanza) : fin_(Fin), lanza_(Lanza) {
        SetFreeOnTerminate(Libre);
    }
    // Stops its own thread before its part of the object goes.
    ~Hilo() override {
        Terminate();
        WaitFor();
        if (fin_) fin_->set_value(id);
    }
    std::thread::id id;
    bool* acabado = nullptr;

protected:
    void Execute() override {
        id = std::this_thread::get_id();
        if (lanza_) throw Exception("falla");
        if (!GetFreeOnTerminate())
            while (!GetTerminated()) {
            }
        if (acabado) *acabado = true;
    }

private:
    std::promise<std::thread::id>* fin_;
    bool lanza_;
};

} // namespace

TEST(Hilos, SeLiberaAlTerminar) {
    std::promise<std::thread::id> fin;
    auto liberado = fin.get_future();
    (new Hilo(&fin, true, false))->Start();
    // The destructor ran, after Execute ran in a thread of its own.
    const std::thread::id id = liberado.get();
    EXPECT_NE(id, std::thread::id());
    EXPECT_NE(id, std::this_thread::get_id());
}

TEST(Hilos, TerminarYEsperar) {
    Hilo h(nullptr, false, false);
    EXPECT_FALSE(h.GetFinished());
    h.Start();
    h.Terminate();
    h.WaitFor();
    EXPECT_TRUE(h.GetFinished());
    EXPECT_NE(h.id, std::this_thread::get_id());
    EXPECT_FALSE(h.GetFatalException());

    Hilo falla(nullptr, false, true);
    falla.Start();
    falla.WaitFor();
    ASSERT_TRUE(falla.GetFatalException());
    EXPECT_THROW(std::rethrow_exception(falla.GetFatalException()), Exception);
}

// One deleted while it still runs stops first.
TEST(Hilos, BorrarUnoQueCorre) {
    bool acabado = false;
    {
        Hilo h(nullptr, false, false);
        h.acabado = &acabado;
        h.Start();
    }
    EXPECT_TRUE(acabado);
}
