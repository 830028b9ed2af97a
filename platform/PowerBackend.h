#pragma once

#include <QString>

// The five power actions, numbered as the "shuttype" of a power-action record.
enum PowerAction : int { ShutDown = 0, Restart = 1, LogOff = 2, Hibernate = 3, StandBy = 4 };

enum class PowerOutcome {
    Done,          // the system accepted the action (a shut down or log off is now under way)
    NoPrivilege,   // the user may not do this here, or there is no one to ask: "Failed to take Privilegies"
    Failed,        // the system refused or failed the action: "Failed to " + name + " System"
    UnknownAction, // not one of the five; nothing was done
};

// Carries out a power action at once, forced: no questions to the user, no waiting for programs that
// object. The program uses LogindPowerBackend; tests use FakePowerBackend (tests/fakes/FakePlatform.h).
class PowerBackend {
public:
    virtual ~PowerBackend() = default;
    // Checks that the action is allowed, then asks the system to do it. May block briefly.
    virtual PowerOutcome perform(int action) = 0;
};

// "Shut Down", "Restart", "Log Off", "Hibernate", "Stand By"; empty for any other number.
QString powerActionName(int action);

// The message for a failed outcome: "Failed to take Privilegies" or "Failed to " + name + " System";
// empty for Done and UnknownAction.
QString powerFailureMessage(int action, PowerOutcome outcome);
