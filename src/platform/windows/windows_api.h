#pragma once

// The one way our code includes <windows.h>. It makes MessageBox a macro for
// MessageBoxW, which would rename our MessageBox port in every file that sees both;
// call MessageBoxW by its own name instead.
#include <windows.h>
#undef MessageBox
