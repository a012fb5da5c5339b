// The main window's stored layout: its controls, menu and components with
// their properties, as the window was designed.

#include "mainform.h"

#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/icon.h"

namespace tarnivo {

namespace {

// Names and typed text may be in any script. "MS Shell Dlg 2" is the
// system's TrueType dialog face (Tahoma, on Windows and Wine alike), which
// GDI links to the faces of the scripts it lacks. The window's own face, MS
// Sans Serif, is a bitmap font of one code page: no face is ever linked to
// a bitmap font, so every letter outside that code page would be a box.
constexpr const char* AnyScriptFace = "MS Shell Dlg 2";

template <typename C>
C* Place(TForm* form, const char* name, int left, int top, int width, int height)
{
    auto* control = new C(form);
    control->SetName(name);
    // Labels follow the form's font by themselves; a label given a font of
    // its own below stops following it.
    if (!control->ParentFont())
        control->Font().Assign(form->Font());
    control->SetBounds(left, top, width, height);
    control->SetParent(form);
    return control;
}

TLabel* PlaceLabel(TForm* form, const char* name, int left, int top, const char* caption)
{
    auto* label = Place<TLabel>(form, name, left, top, 0, 0);
    label->SetCaption(caption);
    return label;
}

// The pictures are linked into the program; one that is missing would only
// leave its decoration empty.
void LoadPicture(TImage* image, const char* resource)
{
    if (!image->Picture().LoadFromResourceName(Application->Instance(), resource))
        image->Picture().SetSize(0, 0);
    // The control has the picture's size at 96 DPI (drawn as it is there)
    // and grows with the layout at higher DPIs: the picture grows with it.
    image->SetStretch(true);
}

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const char* name, const char* caption,
                   int imageIndex)
{
    auto* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    item->SetImageIndex(imageIndex);
    parent->Add(item);
    return item;
}

} // namespace

void TForm1::BuildLayout()
{
    // The skin comes first: once its layout is read, it skins every window
    // of the process, this one included.
    BuildSkinData();

    SetName("Form1");
    SetCaption("Tarnivo");
    SetBorderStyle(bsSingle);
    SetBorderIcons({biSystemMenu, biMinimize});
    SetPosition(poDesigned);
    SetLeft(210);
    SetTop(209);
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);

    ImageList1 = new TImageList(this);
    ImageList1->SetName("ImageList1");
    ImageList1->SetSize(32, 32);
    ImageList2 = new TImageList(this);
    ImageList2->SetName("ImageList2");
    ImageList3 = new TImageList(this);
    ImageList3->SetName("ImageList3");
    LoadArtwork();

    Label3 = Place<TLabel>(this, "Label3", 48, 8, 467, 16);
    Label3->Font().SetName("Arial");
    Label3->Font().SetHeight(-13);
    Label3->Font().SetStyle({fsBold});
    Label3->SetCaption("Press any keyword or letter in  program's name which you want to lanuch");

    Label4 = Place<TLabel>(this, "Label4", 120, 32, 311, 16);
    Label4->Font().SetColor(clBlue);
    Label4->Font().SetHeight(-13);
    Label4->Font().SetStyle({fsBold});
    Label4->SetCaption("'ESC' to clear,'Enter'  or doble click to lanuch");

    ListView2 = Place<TListView>(this, "ListView2", 8, 56, 561, 150);
    ListView2->Font().SetName(AnyScriptFace);
    ListView2->SetViewStyle(vsIcon);
    ListView2->SetLargeImages(ImageList1);
    // The captions are the catalogue's names: no editing in place.
    ListView2->SetReadOnly(true);
    // The list shows the result of type-to-find as it stands: it holds only
    // the number of results and asks for the names and icons it draws.
    ListView2->SetOwnerData(true);
    ListView2->OnData = [this](TObject* s, TListItemRequest& item) { ListView2Data(s, item); };
    ListView2->OnDataFind = [this](TObject* s, const TListFind& find) {
        return ListView2DataFind(s, find);
    };
    ListView2->SetTabOrder(1);
    ListView2->SetTabStop(true);
    ListView2->OnKeyPress = [this](TObject* s, wchar_t& k) { ListView2KeyPress(s, k); };
    ListView2->OnDblClick = [this](TObject* s) { ListView2DblClick(s); };

    Image1 = Place<TImage>(this, "Image1", 8, 208, 17, 17);
    LoadPicture(Image1, "DECO1");
    Label5 = PlaceLabel(this, "Label5", 32, 208, "Your key:");
    Label1 = Place<TLabel>(this, "Label1", 83, 208, 414, 16);
    Label1->SetAutoSize(false);
    Label1->Font().SetName(AnyScriptFace);
    Label1->Font().SetColor(clNavy);
    Label1->Font().SetHeight(-13);
    Label1->SetCaption("");

    Image2 = Place<TImage>(this, "Image2", 8, 232, 17, 17);
    LoadPicture(Image2, "DECO2");
    Label6 = Place<TLabel>(this, "Label6", 32, 232, 0, 0);
    Label6->Font().SetColor(clFuchsia);
    Label6->Font().SetHeight(-13);

    Image3 = Place<TImage>(this, "Image3", 8, 256, 17, 17);
    LoadPicture(Image3, "DECO3");
    Label7 = PlaceLabel(this, "Label7", 32, 256,
                        "Press HotKey(F11) to acitve this software in any time");

    ProgressBar1 = Place<TProgressBar>(this, "ProgressBar1", 12, 0, 16, 41);
    ProgressBar1->SetOrientation(pbVertical);
    ProgressBar1->SetSmooth(true);
    ProgressBar1->SetMin(0);
    ProgressBar1->SetMax(100);
    ProgressBar1->SetVisible(false);

    BuildMenu();

    // The tray icon appears as soon as Visible is set, with the
    // application's icon; Loaded then switches it to image 0 of ImageList2.
    TrayIcon1 = new TTrayIcon(this);
    TrayIcon1->SetName("TrayIcon1");
    TrayIcon1->SetVisible(true);
    TrayIcon1->SetHide(true);
    TrayIcon1->SetRestoreOn(imDoubleClick);
    TrayIcon1->SetPopupMenuOn(imNone);
    TrayIcon1->SetIcons(ImageList2);
    TrayIcon1->OnMinimize = [this](TObject* s) { TrayIcon1Minimize(s); };
    TrayIcon1->OnClick = [this](TObject* s) { TrayIcon1Click(s); };

    SetClientSize(580, 276);
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnKeyPress = [this](TObject* s, wchar_t& k) { FormKeyPress(s, k); };
}

void TForm1::BuildSkinData()
{
    SkinData1 = new TSkinData(this);
    SkinData1->SetName("SkinData1");
    SkinData1->SetActive(true);
    SkinData1->SetDisableTag(99);
    SkinData1->SetSkinControls({xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo,
                                xcCheckBox, xcRadioButton, xcProgress, xcScrollbar, xcEdit,
                                xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel, xcGroupBox,
                                xcStatusBar, xcTab, xcTrackBar, xcSystemMenu});
    SkinData1->SetOptions({xoPreview, xoToolbarBK});
    SkinData1->SetSkinFormtype(sfMainform);
    SkinData1->SetMenuUpdate(true);
    SkinData1->SetMenuMerge(false);
    // The embedded skin, framed as a stored binary property (count, bytes).
    SkinData1->ReadSkinStreamResource(Application->Instance(), "SKINDATA1_SKINSTREAM");
}

void TForm1::BuildMenu()
{
    MainMenu1 = new TMainMenu(this);
    MainMenu1->SetName("MainMenu1");
    MainMenu1->SetImages(ImageList3);
    TMenuItem* root = MainMenu1->Items();
    File1 = AddItem(this, root, "File1", "File", -1);
    Refresh1 = AddItem(this, File1, "Refresh1", "Refresh", 3);
    exit1 = AddItem(this, File1, "exit1", "Exit", 4);
    Help2 = AddItem(this, root, "Help2", "Help", -1);
    Help1 = AddItem(this, Help2, "Help1", "Help", 5);
    About2 = AddItem(this, Help2, "About2", "About", 1);
    Refresh1->OnClick = [this](TObject* s) { Refresh1Click(s); };
    exit1->OnClick = [this](TObject* s) { exit1Click(s); };
    Help1->OnClick = [this](TObject* s) { Help1Click(s); };
    About2->OnClick = [this](TObject* s) { About2Click(s); };
    SetMenu(MainMenu1);
}

void TForm1::LoadArtwork()
{
    TIcon tray;
    tray.SetHandle(static_cast<HICON>(
        LoadImageA(Application->Instance(), "TRAYICON", IMAGE_ICON, 16, 16, 0)));
    if (!tray.Empty())
        ImageList2->AddIcon(tray);

    TBitmap strip;
    if (strip.LoadFromResourceName(Application->Instance(), "MENUIMAGES"))
        ImageList3->AddMasked(strip, clFuchsia);
}

} // namespace tarnivo
