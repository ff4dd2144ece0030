// The window suites' base class lives in a library of its own, so that its moc is compiled once.
#include "support/window_fixture.h"
