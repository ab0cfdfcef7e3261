#pragma once

#include <string>
#include <vector>

#include "WindowsDefines.h"

// What the main window shows of the scene, as rows of text: the render effects with their active state,
// and the materials and maps (from the nodes, to any depth, and from the editor slots) with their class
// and where they are used.
struct SceneRow {
    std::vector<std::wstring> cells;
};
std::vector<SceneRow> EffectRows();
std::vector<SceneRow> MaterialRows();

// A report-style list view with the given column titles and widths (pixels).
HWND CreateSceneList(HWND parent, int id, const std::vector<std::pair<const wchar_t*, int>>& columns);
// Replaces the list's rows.
void FillSceneList(HWND list, const std::vector<SceneRow>& rows);
