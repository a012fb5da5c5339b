#pragma once
// Pages of the framework's control kinds, each control in the states a skin
// has to draw (checked, grayed, disabled, default, part filled, scrolled),
// so that a skin's controls can be looked at side by side.

#include "galleryforms.h"

#include <map>
#include <string>
#include <vector>

namespace tarnivo {
class TListView;
class TTreeView;
}

namespace tarnivo::gallery {

// Which controls a page holds.
enum class TControlPage {
    // Buttons, check and radio boxes, text and list controls, ranges.
    Basic,
    // The common controls: list and tree views, header, tabs and pages, tool
    // bar, cool bar, status bars, date-time pickers, scroll box and frame.
    Common,
    // One cell per control and state, on a fixed grid (StateCell): what the
    // controls show at rest; the end-to-end contact sheet drives the mouse
    // over the cells of the hot, pressed and focused column.
    States,
};

// A sizeable framework form holding one page of controls.
class TGalleryControlsForm : public TGalleryForm {
public:
    TGalleryControlsForm(TComponent* owner, TControlPage page, TRect bounds);
    std::string ClassName() const override { return "TGalleryControlsForm"; }

    // The name its screenshots carry: "controls", "controls2", "states".
    static std::string ShotName(TControlPage page);
    // The client rectangle of the states page's cell at (column, row).
    static TRect StateCell(int column, int row);

private:
    void BuildBasic();
    void BuildCommon();
    void BuildStates();
    // Fills what needs the controls' windows (list items, tree nodes).
    void FillCommon();
    // The page's caption tells what the user clicked last: "[Default 2]"
    // (a button and how often it was clicked), "[Grayed checked]" (a check
    // box's new state), "[Radio two on]". The end-to-end tests read it.
    void Report(TControl* control, const std::string& what);
    void ReportClicks(TControl* control);
    void ReportState(TControl* control);

    std::string m_title;
    std::map<TControl*, int> m_clicks;

    TControlPage m_page;
    TListView* m_report = nullptr;   // items and columns need its window
    TTreeView* m_tree = nullptr;
};

} // namespace tarnivo::gallery
