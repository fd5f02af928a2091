#pragma once

#include "base/services.h"
#include "base/settings.h"
#include "base/sharedstate.h"

// What every window and flow is given: the shared record and the services.
struct AppContext {
    SharedState& state;
    Services& services;
};

// Plays event sound `number` when sounds are on; the switch is read at every
// call, so turning sounds off in the settings silences the program at once.
inline void PlayEventSound(AppContext& context, int number)
{
    if (context.state.SoundOn == 1)
        context.services.sound.play(number);
}
