#pragma once

// Identifiers of the plug-in's resources (Tavelin3_Converter.rc). Plain numbers only: the resource
// compiler, the window fronts and the native build's string table all read this file.

// String table.
#define IDS_LIB_DESCRIPTION 1
#define IDS_CONVERT_UNDO 2
#define IDS_CONFIRM_CAPTION 3
#define IDS_MTL_CONVERTER 100
#define IDS_LINE_CONVERTER 101
#define IDS_SELECT_TVL3_MATERIAL 1000
#define IDS_SELECT_REFERENCE_MATERIAL 1004
#define IDS_ADD_MATERIALS 2000
#define IDS_DELETE_MATERIALS 2001
#define IDS_FILTER_SCENE 2002
#define IDS_FILTER_MTL_EDITOR 2003
#define IDS_TAVELIN_MATERIALS 2004

// Dialogs.
#define IDD_MTL_CONVERTER 107
#define IDD_CONFIRM 109
#define IDD_LINE_CONVERTER 110
#define IDD_SELECT_MATERIAL 65534

// Controls. Both panels put the version label into IDC_VERSION.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#define IDC_VERSION 1006

// The material converter panel (dialog 107).
#define IDC_ZONE_AUTO 1001
#define IDC_ZONE_REFERENCE 1002
#define IDC_REFERENCE_MTL 1003
#define IDC_STROKE_COPY 1004
#define IDC_STROKE_INSTANCE 1005
#define IDC_MTL_ADD 1053
#define IDC_MTL_DELETE 1054
#define IDC_MTL_CONVERT 1055
#define IDC_MTL_LIST 1140
#define IDC_MULTIPLY_BLEND 1175
#define IDC_ADDITIVE_HIGHLIGHT 1176
#define IDC_APPLY_STROKES 1177
#define IDC_SPECULAR_AS_ZONE 1178
#define IDC_SKIP_DISABLED_ZONES 1179
#define IDC_HIGHLIGHT_AS_ZONE 1180
#define IDC_SKIP_DISABLED_STROKES 1181
#define IDC_CONVERT_REFLECT_REFRACT 1182

// The line converter panel (dialog 110).
#define IDC_LINE_CONVERT 1003
#define IDC_DELETE_SOURCES 1004
#define IDC_APPEND_SUFFIX 1005
#define IDC_SUFFIX 1044

// The selection dialog (dialog 65534).
#define IDC_SORT_GROUP 1001
#define IDC_SELECT_GROUP 1002
#define IDC_SELECT_LIST 1140
#define IDC_SORT_BY_NAME 1141
#define IDC_SORT_BY_TYPE 1142
#define IDC_SELECT_ALL 1143
#define IDC_SELECT_NONE 1144
#define IDC_SELECT_INVERT 1145
#define IDC_DISPLAY_FILTER1 1173
#define IDC_DISPLAY_FILTER2 1174
#define IDC_DISPLAY_FILTER3 1175
#define IDC_DISPLAY_FILTER4 1176
#define IDC_DISPLAY_FILTER5 1177
#define IDC_SHOW_SUBTREE 1178
