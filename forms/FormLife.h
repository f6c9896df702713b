#pragma once

#include <functional>
#include <memory>
#include <mutex>

#include "forms/Desktop.h"

namespace mapwren {

// The one way work from another thread (a tool run's end) reaches a form:
// posted to the window's thread and run there only while the form lives.
// The form holds it as a member declared before anything whose threads post
// through it, so those threads are joined before it goes; work still queued
// in the window when the form has gone is dropped unrun.
class FormLife {
public:
    explicit FormLife(Desktop& desktop) : shared_(std::make_shared<Shared>(&desktop)) {}
    ~FormLife()
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->desktop = nullptr;
    }
    FormLife(const FormLife&) = delete;
    FormLife& operator=(const FormLife&) = delete;

    // Callable from any thread.
    void Post(std::function<void()> work) const
    {
        const std::lock_guard lock(shared_->mutex);
        if (!shared_->desktop)
            return;
        shared_->desktop->Post([shared = shared_, work = std::move(work)] {
            if (shared->Alive())   // posted work runs on the thread that ends the form
                work();
        });
    }

private:
    struct Shared {
        explicit Shared(Desktop* d) : desktop(d) {}
        bool Alive()
        {
            const std::lock_guard lock(mutex);
            return desktop != nullptr;
        }
        std::mutex mutex;
        Desktop* desktop;
    };
    std::shared_ptr<Shared> shared_;
};

} // namespace mapwren
