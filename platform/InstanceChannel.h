#pragma once

#include <functional>

// What a second start can ask of the running instance.
enum class InstanceMessage : unsigned char { Show = 0, Terminate = 1 };

// One running instance per user, and the line a second start uses to reach it.
class InstanceChannel {
public:
    using Handler = std::function<void(InstanceMessage)>;

    virtual ~InstanceChannel() = default;

    // True when this process is now the running instance; held until the object goes.
    virtual bool acquire() = 0;
    // Hands the message to the running instance and waits until it has been handled. False when no
    // instance is listening (it may still be starting) or it did not answer in time.
    virtual bool send(InstanceMessage message) = 0;
    // Starts taking messages; the handler runs on the GUI thread before the sender gets its answer.
    virtual bool listen(Handler handler) = 0;
};
