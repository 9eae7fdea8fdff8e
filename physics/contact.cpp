#include "physics/contact.h"

namespace gp {

// Ball contact is not built yet: balls pass through each other.
void Contacts(int) {}

}  // namespace gp
