#pragma once
#include "framework/Application.h"

// The application object: runs the main dialog modally, then ends.
class MaterialApp : public fw::Application {
public:
    MaterialApp() : fw::Application(L"Material Manager") {}
    ~MaterialApp() override = default;
    bool InitInstance() override;
};
