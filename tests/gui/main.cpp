#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "framework/Application.h"

int main(int argc, char** argv)
{
    // As the program runs its dialogs: in an OLE apartment.
    const fw::OleApartment ole;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
