#pragma once
// Resource and control identifiers shared by the code and the resource script.

#define IDD_MATERIAL_MANAGER 102
#define IDD_SAVE_AS 177
#define IDI_APPLICATION_ICON 128
#define IDB_WINDOW_IMAGE 129

// The window image and the material pictures above are the artwork at 100
// percent; the sets drawn for 125, 150, 175 and 200 percent are PNG
// resources of type "PNG", each at its picture's id plus this step times the
// set's place (1 for 125 percent, ..., 4 for 200).
#define IDB_ART_SET_STEP 1000

// Material pictures, 90 x 70 each, of which a list shows 85 x 70.
#define IDB_PIC_PUZZLE 154
#define IDB_PIC_ACRYLIC_BLOCK 155
#define IDB_PIC_GLASS_BLOCK 157
#define IDB_PIC_BLACK_BOX 158
#define IDB_PIC_KEY_TAG 159
#define IDB_PIC_TWO_COLOUR 160
#define IDB_PIC_DARK_PLATE 161
#define IDB_PIC_STAMP_HOLDER 162
#define IDB_PIC_RUBBER_PLATE 163
#define IDB_PIC_PORTRAIT_TILE 164
#define IDB_PIC_SNOWFLAKES 165
#define IDB_PIC_DENIM 167
#define IDB_PIC_LEATHER 168
#define IDB_PIC_CHAIRS 169
#define IDB_PIC_FRETWORK 170
#define IDB_PIC_RED_CROSS 173
#define IDB_PIC_RED_SHEET 174
#define IDB_PIC_PAPER_FIGURES 175
#define IDB_PIC_CUSTOM 176

// Main dialog controls.
#define IDC_PRINT 1000
#define IDC_SLOT0 1003
#define IDC_SLOT1 1006
#define IDC_SLOT2 1007
#define IDC_SLOT3 1008
#define IDC_SLOT4 1009
#define IDC_SLOT5 1010
#define IDC_SLOT6 1012
#define IDC_SLOT7 1014
#define IDC_SLOT8 1015
#define IDC_GROUP1 1013
#define IDC_GROUP2 1022
#define IDC_GROUP3 1023
#define IDC_MATERIAL_LIST 1017
#define IDC_HIDDEN_EDIT 1024
#define IDC_SPEED 1026
#define IDC_POWER 1027
#define IDC_PPI 1028
#define IDC_MARK_MODE 1032
#define IDC_RESOLUTION 1033

// Save-as dialog.
#define IDC_FILE_NAME 1020

// Control initialisation data of a dialog template.
#define RT_DIALOG_INIT 240
