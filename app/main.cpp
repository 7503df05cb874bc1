// Process entry: the program starts where the system's own entry point would.
#include "app/WinMain.h"

int main() { return winMain(); }
