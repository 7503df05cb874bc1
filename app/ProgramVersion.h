// The program's version, as scripts/version.sh gave it when the build was configured
// (app/ProgramVersion.cpp.in, filled in by app/CMakeLists.txt).
#pragma once

extern const char* const programVersion;
