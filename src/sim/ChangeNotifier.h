#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace corvane {

// A plain observer list. subscribe() hands back a Subscription; the observer
// is called until that object goes, so a page that is destroyed can never be
// called again.
template <typename Event>
class ChangeNotifier {
    struct Slot {
        std::function<void(const Event&)> observer;
    };

public:
    class Subscription {
    public:
        Subscription() = default;
        bool active() const { return !slot_.expired(); }

    private:
        friend class ChangeNotifier;
        explicit Subscription(std::shared_ptr<Slot> slot) : owned_(std::move(slot)), slot_(owned_) {}
        std::shared_ptr<Slot> owned_;
        std::weak_ptr<Slot> slot_;
    };

    [[nodiscard]] Subscription subscribe(std::function<void(const Event&)> observer) {
        auto slot = std::make_shared<Slot>(Slot{std::move(observer)});
        slots_.push_back(slot);
        return Subscription(std::move(slot));
    }

    void notify(const Event& event) {
        // Observers may subscribe or go while they are told; tell those
        // that were there when the event happened and are still there.
        std::erase_if(slots_, [](const std::weak_ptr<Slot>& slot) { return slot.expired(); });
        const std::vector<std::weak_ptr<Slot>> now = slots_;
        for (const std::weak_ptr<Slot>& weak : now) {
            if (const std::shared_ptr<Slot> slot = weak.lock()) slot->observer(event);
        }
    }

private:
    std::vector<std::weak_ptr<Slot>> slots_;
};

}  // namespace corvane
