#include <windows.h>

#include "app/MaterialApp.h"
#include "framework/Application.h"

namespace {
MaterialApp g_theApp;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return fw::RunApplication(); }
