#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/Connection.h"
#include "runtime/Signal.h"
#include "runtime/Variant.h"

namespace ostrellix::standin::kelo {

// Events that add-ins raise in the client for its scripts ("NewMail",
// "DropItem" ...): named parameters are set first, then the event is
// raised, then the caller reads whether a handler claimed it. Handlers are
// registered here by tests and by the host's configuration (Claim); they
// see and may change the parameters. Every raised event is kept, its
// objects weakly: like a script engine after the event, the history keeps
// no add-in object alive (one whose last owner let go reads as Nothing).
class HostEvents {
public:
    struct Raised {
        std::string source;
        std::string name;
        std::vector<std::pair<std::string, Variant>> parameters;
        bool handled = false;

        Variant Parameter(std::string_view name) const;
    };
    class KeptValue {
    public:
        explicit KeptValue(const Variant& value);
        operator Variant() const;

    private:
        bool wasObject_;
        Variant value_;
        std::weak_ptr<Object> object_;
    };
    struct Kept {
        std::string source;
        std::string name;
        std::vector<std::pair<std::string, KeptValue>> parameters;
        bool handled = false;

        Variant Parameter(std::string_view name) const;
    };
    using Handler = std::function<void(Raised& event)>;

    // `name` "*" receives every event.
    [[nodiscard]] Connection On(std::string_view name, Handler handler);
    // A standing handler, for the life of the client, that claims the event.
    void Claim(std::string_view name);

    void ClearParameters() { parameters_.clear(); }
    void SetParameter(std::string_view name, const Variant& value);
    void Raise(std::string_view source, std::string_view name);
    bool Result() const { return result_; }
    const std::vector<Kept>& History() const { return history_; }

private:
    std::vector<std::pair<std::string, Variant>> parameters_;
    bool result_ = false;
    Signal<Raised&> raised_;
    std::vector<Connection> standing_;
    std::vector<Kept> history_;
};

}  // namespace ostrellix::standin::kelo
