// The demo's start-up and shutdown. Until the show's objects exist there is nothing to load.
#include "app/Demo.h"

bool initDemo() { return true; }

void shutdownDemo() {}
