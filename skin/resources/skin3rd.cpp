#include "skin3rd.h"

#include "framework/stringlist.h"

namespace tarnivo {

namespace {

// Three classes appear twice, and TLMDGroupBox / TLMDGROUPBOX name the same
// class: the first row wins, as layouts saved with this table expect.
constexpr const char* DefaultRows[] = {
    "TCategoryButtons=scrollbar",
    "TPngBitBtn=pngbitbtn",
    "TVirtualStringTree=scrollbar",
    "TVirtualDrawTree=scrollbar",
    "TTBXDockablePanel=panel",
    "TAdvPanelGroup=scrollbar",
    "TComboboxex=combobox",
    "TRxSpeedButton=speedbutton",
    "THTMLViewer=scrollbar",
    "TDBCtrlGrid=scrollbar",
    "TfrSpeedButton=speedbutton",
    "TfrTBButton=speedbutton",
    "TControlBar=panel",
    "TTBDock=panel",
    "TTBToolbar=panel",
    "TImageEnMView=scrollbar",
    "TImageEnView=scrollbar",
    "TAdvMemo=scrollbar",
    "TDBAdvMemo=scrollbar",
    "TcxDBLookupComboBox=combobox",
    "TcxDBComboBox=combobox",
    "TcxDBDateEdit=combobox",
    "TcxDBImageComboBox=combobox",
    "TcxDBCalcEdit=combobox",
    "TcxDBBlobEdit=combobox",
    "TcxDBPopupEdit=combobox",
    "TcxDBFontNameComboBox=combobox",
    "TcxDBShellComboBox=combobox",
    "TRxLookupEdit=combobox",
    "TRxDBLookupCombo=combobox",
    "TRzGroup=panel",
    "TRzButton=button",
    "TRzBitbtn=bitbtn",
    "TRzMenuButton=menubtn",
    "TRzCheckGroup=checkgroup",
    "TRzRadioGroup=radiogroup",
    "TRzButtonEdit=edit",
    "TRzDBRadioGroup=radiogroup",
    "TRzDBRadioButton=radiobutton",
    "TRzDateTimeEdit=combobox",
    "TRzColorEdit=combobox",
    "TRzDateTimePicker=combobox",
    "TRzDBDateTimeEdit=combobox",
    "TRzDbColorEdit=combobox",
    "TRzDBDateTimePicker=combobox",
    "TLMDButton=bitbtn",
    "TLMDGroupBox=groupbox",
    "TDBCheckboxEh=checkbox",
    "TDBCheckboxEh=checkbox",
    "TLMDCHECKBOX=CheckBox",
    "TLMDDBCHECKBOX=CheckBox",
    "TLMDRadiobutton=radiobutton",
    "TLMDCalculator=panel",
    "TLMDGROUPBOX=Panel",
    "TLMDSIMPLEPANEL=Panel",
    "TLMDDBCalendar=panel",
    "TLMDButtonPanel=panel",
    "TLMDLMDCalculator=panel",
    "TLMDHeaderPanel=panel",
    "TLMDTechnicalLine=panel",
    "TLMDLMDClock=panel",
    "TLMDTrackbar=panel",
    "TLMDListCombobox=combobox",
    "TLMDCheckListCombobox=combobox",
    "TLMDHeaderListCombobox=combobox",
    "TLMDImageCombobox=combobox",
    "TLMDColorCombobox=combobox",
    "TLMDFontCombobox=combobox",
    "TLMDFontSizeCombobox=combobox",
    "TLMDFontSizeCombobox=combobox",
    "TLMDPrinterCombobox=combobox",
    "TLMDDriveCombobox=combobox",
    "TLMDCalculatorComboBox=combobox",
    "TLMDTrackBarComboBox=combobox",
    "TLMDCalendarComboBox=combobox",
    "TLMDTreeComboBox=combobox",
    "TLMDRADIOGROUP=RadioGroup",
    "TLMDCheckGroup=checkgroup",
    "TLMDDBRADIOGROUP=RadioGroup",
    "TLMDDBCheckGroup=checkgroup",
    "TLMDCalculatorEdit=edit",
    "TLMDEDIT=Edit",
    "TLMDMASKEDIT=Edit",
    "TLMDBROWSEEDIT=Edit",
    "TLMDEXTSPINEDIT=Edit",
    "TLMDCALENDAREDIT=Edit",
    "TLMDFILEOPENEDIT=Edit",
    "TLMDFILESAVEEDIT=Edit",
    "TLMDCOLOREDIT=Edit",
    "TLMDDBEDIT=Edit",
    "TLMDDBMASKEDIT=Edit",
    "TLMDDBEXTSPINEDIT=Edit",
    "TLMDDBSPINEDIT=Edit",
    "TLMDDBEDITDBLookup=Edit",
    "TLMDEDITDBLookup=Edit",
    "TDBLookupCombobox=combobox",
    "TWWDBCombobox=ComboBox",
    "TWWDBLookupCombo=ComboBox",
    "TWWDBCombobox=ComboBox",
    "TWWKeyCombo=ComboBox",
    "TWWTempKeyCombo=ComboBox",
    "TWWDBDateTimePicker=ComboBox",
    "TWWRADIOGROUP=RadioGroup",
    "TWWDBEDIT=Edit",
    "TcxButton=bitbtn",
    "TcxDBRadioGroup=radiogroup",
    "TcxRadioGroup=radiogroup",
    "TcxGroupbox=groupbox",
    "TOVCPICTUREFIELD=Edit",
    "TOVCDBPICTUREFIELD=Edit",
    "TOVCSLIDEREDIT=Edit",
    "TOVCDBSLIDEREDIT=Edit",
    "TOVCSIMPLEFIELD=Edit",
    "TOVCDBSIMPLEFIELD=Edit",
    "TO32DBFLEXEDIT=Edit",
    "TOVCNUMERICFIELD=Edit",
    "TOVCDBNUMERICFIELD=Edit",
};
static_assert(std::size(DefaultRows) == 117);

constexpr std::size_t MaxSkinTypeLength = 50;

} // namespace

void DefaultSkin3rd(TStringList& map)
{
    map.Clear();
    for (const char* row : DefaultRows)
        map.Add(row);
}

std::string FindSkin3rd(const TStringList& map, std::string_view className)
{
    // The class name followed by "=" must start the row, so 'TLMDEditX' does
    // not find the 'TLMDEDIT' row and a prefix of a class name finds nothing.
    const std::string needle = LowerCase(className) + "=";
    for (int i = 0; i < map.Count(); ++i) {
        const std::string& row = map[i];
        if (row.size() < needle.size() || LowerCase(row.substr(0, needle.size())) != needle)
            continue;
        return row.substr(row.find('=') + 1, MaxSkinTypeLength);
    }
    return std::string();
}

} // namespace tarnivo
