#pragma once
#include <string>

// The folder of the running program's executable, where its data files lie; "" when the
// system cannot tell.
std::string programFolder();
