#pragma once
// Both windows of a program as scenes, brought up to the engine after every event. Only the controls
// the engine stamped since the last update are looked at again.

#include <array>
#include <cstdint>
#include <string>

#include "engine/program/program.h"
#include "scene/scene.h"

namespace blokko::scene {

class ProgramScene {
public:
    explicit ProgramScene(const Program& program);
    ProgramScene(const ProgramScene&) = delete;
    ProgramScene& operator=(const ProgramScene&) = delete;

    // Call after every event: afterwards each window's items are the engine's, and `changed` says what
    // this update changed. Built with BLOKKO_CHECK_SCENE (debug, sanitizer and fuzz builds), it then
    // compares itself with a scene built afresh and aborts, naming the window and item, if they differ:
    // a write the engine forgot to stamp would otherwise never be drawn.
    void update();

    // What differs between this scene and one built afresh from the engine now (naming the window and
    // the control); empty when nothing.
    std::string differenceFromFresh() const;

    const Window& form1() const { return form1_; }
    const Window& form2() const { return form2_; }
    // The game window's timers, Timer1 to Timer3; all stopped while it is not loaded.
    const std::array<TimerState, 3>& timers() const { return timers_; }

private:
    void updateForm1();
    void updateForm2();
    void updateTimers(const std::array<TimerState, 3>& now, bool newLoad);

    const Program& program_;
    Window form1_;
    Window form2_;
    std::array<TimerState, 3> timers_{};
    std::uint64_t form1Seen_ = 0; // the change count of the game window's controls at the last update
    std::uint64_t form2Seen_ = 0;
    bool form2Built_ = false;
};

} // namespace blokko::scene
