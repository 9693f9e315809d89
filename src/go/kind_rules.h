// Who may play on a candidate point of each kind, and when: the one place
// both readers, the verification replies and the solution-tree walk ask.
#pragma once

#include "go/types.h"

namespace go {

// The two sides of a problem: the attacker takes a target, the defender
// keeps them all.
enum class Role : unsigned char { Attacker, Defender };

// Only f points open a reading (the first player's first move).
constexpr bool OpensReading(Kind kind) { return kind == Kind::F; }

// Below the first move: f and m points are open to both sides; the
// attacker plays y points freely and z points only next to a defender
// stone; the defender plays y points only to take an attacker string in
// atari next to them, and never z points. The facts are asked only when
// the kind needs them: nextToDefender() and takesAttacker() are callables.
template <typename NextToDefender, typename TakesAttacker>
constexpr bool MayPlay(Kind kind, Role role, NextToDefender nextToDefender, TakesAttacker takesAttacker)
{
    switch (kind) {
    case Kind::F:
    case Kind::M:
        return true;
    case Kind::Y:
        return role == Role::Attacker || takesAttacker();
    case Kind::Z:
        return role == Role::Attacker && nextToDefender();
    }
    return false;
}

}  // namespace go
