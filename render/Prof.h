#pragma once
#include <windows.h>
namespace quillon { inline long long g_prof[16]; inline long long g_profN[16];
struct ProfScope { int i; LARGE_INTEGER a; ProfScope(int i):i(i){QueryPerformanceCounter(&a);} ~ProfScope(){LARGE_INTEGER b;QueryPerformanceCounter(&b);g_prof[i]+=b.QuadPart-a.QuadPart;g_profN[i]++;} }; }
