#pragma once
// Ball-to-ball contact under the "When Touching" rule.

namespace gp {

// Knocks away every ball on the course that the stepping ball p touches.
void Contacts(int p);

}  // namespace gp
