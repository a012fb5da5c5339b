// TSkinData: defaults and published properties, the SkinStream property,
// the load sequence, joining the manager, the Skin3rd map and the window filter.

#include "skintestkit.h"

#include "hostileskin.h"

#include "framework/brush.h"
#include "framework/imagelist.h"
#include "skin/forms/skinmanager.h"
#include "skin/resources/skin3rd.h"
#include "skin/resources/skindata.h"
#include "skin/resources/skinreader.h"
#include "skin/resources/skinstore.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

const std::string SkinA = "[TitlebarSkin]\nSkinName=A\n[Colours]\nButtonFace=10 20 30\n"
                          "[Scrollbar]\nImage=s.bmp\n";
const Files SkinAFiles = {{"s.bmp", Bmp(46, 4, clRed)}};

// Each test starts without a manager; the skin engine's manager is the one
// that gets made, and the tests read what the requests did to it.
class SkinDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterSkinEngine();
        FreeSkinManager();
        ShownMessages().clear();
    }
    void TearDown() override { FreeSkinManager(); }

    static TSkinManage& Manager()
    {
        auto* manager = SkinManage();
        EXPECT_NE(manager, nullptr);
        return *manager;
    }

    // The "SkinStream" property as a stored layout holds it.
    static void Property(const std::string& ini, const Files& files, TMemoryStream& property)
    {
        TMemoryStream skinFile;
        SkinFileOf(ini, files, skinFile);
        property.WriteInt32(static_cast<std::int32_t>(skinFile.Size()));
        property.WriteBuffer(skinFile.Memory(), skinFile.Size());
        property.SetPosition(0);
    }
};

} // namespace

TEST_F(SkinDataTest, StartsWithTheDocumentedDefaults)
{
    TSkinData data(nullptr);
    EXPECT_FALSE(data.Active());
    EXPECT_EQ(data.DisableTag(), 99);
    for (int t = xcMainMenu; t <= xcFastReport; ++t)
        EXPECT_EQ(data.SkinControls().Contains(static_cast<TSkinControlType>(t)),
                  t != xcMenuItem && t != xcFastReport)
            << t;
    EXPECT_EQ(data.Options(), (TSkinOptions{xoPreview, xoToolbarBK}));
    EXPECT_EQ(data.Skin3rd().Count(), 117);
    EXPECT_EQ(data.SkinFormtype(), sfMainform);
    EXPECT_EQ(data.Version(), "4.12.07.30");
    EXPECT_TRUE(data.MenuUpdate());
    EXPECT_FALSE(data.MenuMerge());
    EXPECT_TRUE(data.Empty());
    EXPECT_EQ(data.SkinStore(), "(none)");
    EXPECT_EQ(data.Containers().Bits(), 0x3FFu);
    // The fixed elements exist before any skin is loaded.
    EXPECT_TRUE(data.Elements().Buttons && data.Elements().Title && data.Elements().Left &&
                data.Elements().Bottom);
    EXPECT_NE(data.ButtonFaceBrush(), nullptr);
    ASSERT_NE(data.MenuGlyphs(), nullptr);
    EXPECT_EQ(data.MenuGlyphs()->Count(), 4);

    // Published, in their stored order.
    const char* names[] = {"Active", "DisableTag", "SkinControls", "Options", "Skin3rd", "SkinFile",
                           "SkinStore", "SkinFormtype", "Version", "MenuUpdate", "MenuMerge"};
    const auto& props = TSkinData::StaticClassInfo().Properties;
    ASSERT_EQ(props.size(), std::size(names));
    for (std::size_t i = 0; i < props.size(); ++i)
        EXPECT_EQ(props[i].Name, names[i]);
}

TEST_F(SkinDataTest, VersionAndSkinStoreIgnoreAssignment)
{
    TSkinData data(nullptr);
    SetPropValue(data, "Version", TPropValue{std::string("1.0")});
    SetPropValue(data, "SkinStore", TPropValue{std::string("(Good)")});
    data.SetVersion("2.0");
    EXPECT_EQ(std::get<std::string>(GetPropValue(data, "Version")), "4.12.07.30");
    EXPECT_EQ(std::get<std::string>(GetPropValue(data, "SkinStore")), "(none)");
    // Sets travel as their bit masks.
    SetPropValue(data, "Options", TPropValue{std::int64_t{1} << xoMenuBG});
    EXPECT_EQ(data.Options(), TSkinOptions{xoMenuBG});
    SetEnumProp(data, "SkinFormtype", "sfDialog");
    EXPECT_EQ(data.SkinFormtype(), sfDialog);
}

TEST_F(SkinDataTest, Skin3rdLookupMatchesWholeClassNamesWithoutCase)
{
    TSkinData data(nullptr);
    EXPECT_EQ(FindSkin3rd(data.Skin3rd(), "TLMDEdit"), "Edit");
    EXPECT_EQ(FindSkin3rd(data.Skin3rd(), "TLMDEditX"), "");
    EXPECT_EQ(FindSkin3rd(data.Skin3rd(), "TLMDEDI"), "");
    EXPECT_EQ(FindSkin3rd(data.Skin3rd(), "tpngbitbtn"), "pngbitbtn");
    // The first of two rows for one class wins.
    EXPECT_EQ(FindSkin3rd(data.Skin3rd(), "TLMDGroupBox"), "groupbox");
    EXPECT_EQ(data.Skin3rd()[0], "TCategoryButtons=scrollbar");
    EXPECT_EQ(data.Skin3rd()[116], "TOVCDBNUMERICFIELD=Edit");

    TStringList map;
    map.Add("TMine=" + std::string(60, 'k'));
    data.SetSkin3rd(map);
    EXPECT_EQ(data.Skin3rd().Count(), 1);
    EXPECT_EQ(FindSkin3rd(data.Skin3rd(), "TMINE"), std::string(50, 'k'));
}

TEST_F(SkinDataTest, LayoutWithEmptySkinStreamSwitchesActiveOff)
{
    TComponent form(nullptr);
    TSkinData* data = nullptr;
    form.LoadLayout([&] {
        data = new TSkinData(&form);
        data->SetActive(true);
        TMemoryStream property;
        property.WriteInt32(0);
        property.SetPosition(0);
        data->ReadData(property);
    });
    EXPECT_FALSE(data->Active());
    EXPECT_TRUE(data->Empty());
    TSkinManage& manager = Manager();
    EXPECT_TRUE(manager.HookInstalled());
    ASSERT_EQ(manager.SkinDatas().size(), 1u);
    EXPECT_EQ(manager.PendingAction, 0);
    EXPECT_FALSE(manager.Enabled());
}

TEST_F(SkinDataTest, LayoutWithSkinStreamLoadsBeforeLoadedAndEnablesTheManager)
{
    TComponent form(nullptr);
    TSkinData* data = nullptr;
    form.LoadLayout([&] {
        data = new TSkinData(&form);
        data->SetActive(true);
        TMemoryStream property;
        Property(SkinA, SkinAFiles, property);
        data->ReadData(property);
        // Loaded at once, while the layout is still being read.
        EXPECT_FALSE(data->Empty());
        EXPECT_EQ(SkinManager(), nullptr);
    });
    EXPECT_TRUE(data->Active());
    EXPECT_EQ(data->SkinName(), "A");
    TSkinManage& manager = Manager();
    // Requested before any window was activated: only Enabled changes.
    EXPECT_EQ(manager.PendingAction, saSkinAll);
    EXPECT_TRUE(manager.Enabled());
    EXPECT_FALSE(manager.Running());
    EXPECT_FALSE(manager.ActionPending());
    // The skinned menu bar replaces item skinning.
    EXPECT_FALSE(data->SkinControls().Contains(xcMenuItem));
    EXPECT_TRUE(data->SkinControls().Contains(xcSystemMenu));
    EXPECT_EQ(data->AppIcon().Width(), GetSystemMetrics(SM_CXSMICON));

    // Leaving: the manager forgets it.
    delete data;
    EXPECT_TRUE(manager.SkinDatas().empty());
}

TEST_F(SkinDataTest, WithoutMainMenuTheSystemMenuIsNotSkinned)
{
    TComponent form(nullptr);
    TSkinData* data = nullptr;
    form.LoadLayout([&] {
        data = new TSkinData(&form);
        data->SetSkinControls(TSkinControlTypes{xcMenuItem, xcSystemMenu, xcButton});
    });
    EXPECT_EQ(data->SkinControls(), (TSkinControlTypes{xcMenuItem, xcButton}));
}

TEST_F(SkinDataTest, SkinStreamPropertyRoundTripsAndRefusesBadCounts)
{
    TSkinData data(nullptr);
    TMemoryStream property;
    Property(SkinA, SkinAFiles, property);
    data.ReadData(property);
    ASSERT_FALSE(data.Empty());
    TMemoryStream written;
    data.WriteData(written);
    ASSERT_EQ(written.Size(), property.Size());
    EXPECT_EQ(0, std::memcmp(written.Memory(), property.Memory(), static_cast<std::size_t>(written.Size())));

    // A count past the end of the data, or negative: refused, nothing changes.
    for (std::int32_t count : {std::int32_t(written.Size()), -5, std::int32_t(0x7FFFFFFF)}) {
        TMemoryStream bad;
        bad.WriteInt32(count);
        bad.WriteBuffer(written.Memory() + 4, written.Size() - 4);
        bad.SetPosition(0);
        EXPECT_THROW(data.ReadData(bad), EStreamError) << count;
        EXPECT_EQ(data.SkinName(), "A");
    }
    TMemoryStream shortCount;
    shortCount.WriteBuffer("\x01\x00", 2);
    shortCount.SetPosition(0);
    EXPECT_THROW(data.ReadData(shortCount), EStreamError);

    TSkinData empty(nullptr);
    TMemoryStream nothing;
    empty.WriteData(nothing);
    EXPECT_EQ(nothing.Size(), 0);
}

TEST_F(SkinDataTest, SkinStreamFromTheProgramsResources)
{
    TSkinData data(nullptr);
    HINSTANCE module = GetModuleHandleA(nullptr);
    EXPECT_FALSE(data.ReadSkinStreamResource(module, "NOSUCHSKIN"));
    EXPECT_TRUE(data.ReadSkinStreamResource(module, "EMPTYSKIN"));
    EXPECT_TRUE(data.Empty());
    EXPECT_THROW(data.ReadSkinStreamResource(module, "SHORTSKIN"), EStreamError);
    EXPECT_EQ(data.SkinStreamSize(), 0);
}

TEST_F(SkinDataTest, WrongVersionKeepsTheOldSkin)
{
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data, SkinA, SkinAFiles));
    const std::int64_t storedBytes = data.SkinStreamSize();
    for (std::int32_t version : {19999, 20001}) {
        TMemoryStream other;
        SkinFileOf("[TitlebarSkin]\nSkinName=B\n", {}, other, version);
        data.LoadFromStream(other);
        EXPECT_EQ(data.SkinName(), "A");
        EXPECT_FALSE(data.Empty());
        EXPECT_TRUE(data.Elements().Scrollbar);
        EXPECT_EQ(data.Colors(csButtonFace), RGBColor(10, 20, 30));
        EXPECT_EQ(data.SkinStreamSize(), storedBytes);
    }
    ASSERT_EQ(ShownMessages().size(), 2u);
    EXPECT_EQ(ShownMessages()[0], "This is Older Skin File\rPlease update to new version !");

    // Bytes that are no skin file at all change nothing either, silently.
    TMemoryStream junk;
    junk.WriteBuffer("junk", 4);
    data.LoadFromStream(junk);
    EXPECT_EQ(data.SkinName(), "A");
    EXPECT_EQ(ShownMessages().size(), 2u);
    EXPECT_TRUE(data.LoadSkin());  // the stored stream still loads
}

// Skins that announce far more pixels than they carry: the one whose few
// hundred bytes took SkinGallery to 1.5 GB, and one naming a decodable
// picture from many keys. Each is refused as a whole and the skin loaded
// before stays, every element as it was.
TEST_F(SkinDataTest, SkinsWhoseImagesExceedTheBudgetLeaveTheOldSkin)
{
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data, SkinA, SkinAFiles));
    const std::int64_t storedBytes = data.SkinStreamSize();

    std::string manyKeys = "[TitlebarSkin]\nSkinName=ManyKeys\n";
    for (int i = 0; i < 6; ++i)
        manyKeys += "[BUTTON.B" + std::to_string(i) + "]\nAction=0\nButtonImage=pic.bmp\n";
    const std::pair<std::string, Files> hostile[] = {
        {"[TitlebarSkin]\nSkinName=Huge\n[Personality]\nTop=big.bmp\n[Scrollbar]\nImage=big.bmp\n",
         {{"big.bmp", HugePictureBmp()}}},
        // 2048 x 2048 pixels are 12 MB decoded: six keys make 72 MB.
        {manyKeys, {{"pic.bmp", RunLengthBmp(2048, 2048, EndOfLineCodes(2048))}}},
    };
    for (const auto& [ini, files] : hostile) {
        TMemoryStream skin;
        SkinFileOf(ini, files, skin);
        EXPECT_LT(skin.Size(), 2000);
        data.LoadFromStream(skin);
        EXPECT_EQ(data.SkinName(), "A");
        EXPECT_FALSE(data.Empty());
        ASSERT_TRUE(data.Elements().Scrollbar);
        EXPECT_EQ(data.Elements().Scrollbar->Image.Width(), 46);
        EXPECT_TRUE(data.Elements().Top->Image.Empty());
        EXPECT_EQ(data.Elements().SysButtons.size(), 3u);
        EXPECT_EQ(data.Colors(csButtonFace), RGBColor(10, 20, 30));
        EXPECT_EQ(data.SkinStreamSize(), storedBytes);
    }
}

// Every way of loading says when a skin did not load, and why; the form
// resource's property raises, as a bad byte count does.
TEST_F(SkinDataTest, AFailedLoadIsReportedWithItsReason)
{
    TSkinData data(nullptr);
    TMemoryStream good;
    SkinFileOf(SkinA, SkinAFiles, good);
    EXPECT_TRUE(data.LoadFromStream(good));
    EXPECT_EQ(data.LoadError(), "");

    TMemoryStream huge;
    SkinFileOf("[TitlebarSkin]\nSkinName=Huge\n[Scrollbar]\nImage=Big.bmp\n", {{"big.bmp", HugePictureBmp()}},
               huge);
    EXPECT_FALSE(data.LoadFromStream(huge));
    EXPECT_EQ(data.LoadError(),
              "skin image \"big.bmp\" (16384 x 5000 pixels, 234.4 MB decoded) does not fit: the skin's "
              "images may take 64.0 MB in all, 0.0 MB are taken");
    TMemoryStream property;
    property.WriteInt32(static_cast<std::int32_t>(huge.Size()));
    property.WriteBuffer(huge.Memory(), huge.Size());
    property.SetPosition(0);
    try {
        data.ReadData(property);
        ADD_FAILURE() << "a SkinStream that does not load raises";
    } catch (const ESkinLoadError& e) {
        EXPECT_EQ(e.Message().rfind("SkinStream: skin image \"big.bmp\"", 0), 0u) << e.Message();
    }
    EXPECT_EQ(data.SkinName(), "A");

    TMemoryStream junk;
    junk.WriteBuffer("junk", 4);
    EXPECT_FALSE(data.LoadFromStream(junk));
    EXPECT_EQ(data.LoadError().rfind("not a skin file: ", 0), 0u) << data.LoadError();
    EXPECT_FALSE(data.LoadFromFile("Z:/no/such/folder/skin.skn"));
    EXPECT_EQ(data.LoadError(), "no skin file \"Z:/no/such/folder/skin.skn\"");
    EXPECT_FALSE(data.LoadFromCollection(nullptr, 0));
    EXPECT_TRUE(data.LoadSkin());
    EXPECT_EQ(data.LoadError(), "");
    EXPECT_EQ(data.SkinName(), "A");

    // A bitmap the decoder refuses is an empty image, not a failed skin:
    // the 60-byte entry announcing 16384 x 5461 pixels, named twice.
    TMemoryStream tiny;
    SkinFileOf("[TitlebarSkin]\nSkinName=Tiny\n[Scrollbar]\nImage=t.bmp\n[Personality]\nTop=t.bmp\n",
               {{"t.bmp", TinyEntryAnnouncingHugePicture()}}, tiny);
    EXPECT_TRUE(data.LoadFromStream(tiny));
    EXPECT_EQ(data.SkinName(), "Tiny");
    ASSERT_TRUE(data.Elements().Scrollbar);
    EXPECT_TRUE(data.Elements().Scrollbar->Image.Empty());
    EXPECT_TRUE(data.Elements().Top->Image.Empty());
}

TEST_F(SkinDataTest, UpdateSkinReskinsOnlyARunningManager)
{
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data, SkinA, SkinAFiles));
    // No manager existed: UpdateSkin joined through Loaded.
    TSkinManage& manager = Manager();
    EXPECT_EQ(manager.CurrentSkin(), &data);
    EXPECT_EQ(manager.PendingAction, 0);
    EXPECT_FALSE(manager.ActionPending());

    manager.SetRunning();
    ASSERT_TRUE(LoadSkin(data, "[TitlebarSkin]\nSkinName=C\n"));
    EXPECT_EQ(manager.PendingAction, saReskin);
    EXPECT_TRUE(manager.ActionPending());
}

TEST_F(SkinDataTest, ActiveSetterFollowsTheRole)
{
    TSkinData data(nullptr);
    data.SetActive(true);  // no manager yet: stored only
    EXPECT_TRUE(data.Active());
    data.SetActive(false);
    CreateSkinManager();
    TSkinManage& manager = Manager();

    data.SetActive(true);  // main form without a skin: nothing more
    EXPECT_EQ(manager.PendingAction, 0);
    data.SetActive(false);
    EXPECT_EQ(manager.PendingAction, saUnskinAll);
    EXPECT_FALSE(manager.Enabled());

    ASSERT_TRUE(LoadSkin(data, SkinA, SkinAFiles));
    data.SetActive(true);
    EXPECT_EQ(manager.PendingAction, saSkinAll);
    EXPECT_TRUE(manager.Running());

    TSkinData dialog(nullptr);
    dialog.SetSkinFormtype(sfDialog);
    manager.PendingAction = 0;
    dialog.SetActive(true);
    EXPECT_EQ(manager.PendingAction, 0);
}

TEST_F(SkinDataTest, LoadFromCollectionOutOfRangeAndMissingFileDoNothing)
{
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data, SkinA, SkinAFiles));
    TSkinStore store(nullptr);
    TMemoryStream skinB;
    SkinFileOf("[TitlebarSkin]\nSkinName=B\n", {}, skinB);
    store.Store()->Add()->ReadData(skinB);

    data.LoadFromCollection(&store, 1);
    data.LoadFromCollection(&store, -1);
    data.LoadFromCollection(nullptr, 0);
    EXPECT_EQ(data.SkinName(), "A");
    data.LoadFromFile("Z:/no/such/folder/skin.skn");
    EXPECT_EQ(data.SkinName(), "A");
    EXPECT_EQ(data.SkinFile(), "Z:/no/such/folder/skin.skn");

    data.LoadFromCollection(&store, 0);
    EXPECT_EQ(data.SkinName(), "B");
}

TEST_F(SkinDataTest, LoadFromFileReadsTheWholeFile)
{
    char folder[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
    const std::string path = std::string(folder) + "tarnivo_skindata_test.skn";
    TMemoryStream skin;
    SkinFileOf("[TitlebarSkin]\nSkinName=FromFile\n", {}, skin);
    skin.SaveToFile(path);
    TSkinData data(nullptr);
    data.SetSkinFile(path);
    DeleteFileA(path.c_str());
    EXPECT_EQ(data.SkinName(), "FromFile");
    EXPECT_EQ(data.SkinStreamSize(), skin.Size());
}

TEST_F(SkinDataTest, WindowFilter)
{
    TSkinData data(nullptr);
    HWND window = reinterpret_cast<HWND>(0x1234);
    auto verdict = [&](const std::string& name) {
        bool doSkin = true;
        data.DoFormSkin(window, name, doSkin);
        return doSkin;
    };
    EXPECT_FALSE(verdict("SysMonthCal32"));
    EXPECT_TRUE(verdict("SysMonthCal32x"));
    EXPECT_TRUE(verdict("TfrDesigner"));
    EXPECT_EQ(data.FormSkinWindow(), window);
    data.SetSkinControls(data.SkinControls() + TSkinControlTypes{xcFastReport});
    EXPECT_FALSE(verdict("TfrDesigner"));
    EXPECT_TRUE(verdict("TFRDesigner"));

    std::string asked;
    data.OnFormSkin = [&](TObject*, const std::string& name, bool& doSkin) {
        asked = name;
        doSkin = name != "TForm1";
    };
    EXPECT_TRUE(verdict("SysMonthCal32"));  // the handler decides alone
    EXPECT_FALSE(verdict("TForm1"));
    EXPECT_EQ(asked, "TForm1");
}

TEST_F(SkinDataTest, ChangePropertySetsEnumerationsByMemberName)
{
    TSkinData data(nullptr);
    TBrush brush;
    EXPECT_TRUE(data.ChangeProperty(&brush, "Style", "bsClear"));
    EXPECT_EQ(brush.Style(), bsClear);
    EXPECT_FALSE(data.ChangeProperty(&brush, "Style", "bsNoSuchStyle"));
    EXPECT_EQ(brush.Style(), bsClear);
    EXPECT_FALSE(data.ChangeProperty(&brush, "Color", "clRed"));   // not an enumeration
    EXPECT_FALSE(data.ChangeProperty(&brush, "NoSuchProperty", "x"));
    EXPECT_FALSE(data.ChangeProperty(nullptr, "Style", "bsSolid"));
    EXPECT_TRUE(data.ChangeProperty(&data, "MenuMerge", "True"));
    EXPECT_TRUE(data.MenuMerge());
}

TEST_F(SkinDataTest, SwitchingRequestsGoToTheManager)
{
    TSkinData data(nullptr);
    data.Install();  // no manager: dropped
    CreateSkinManager();
    TSkinManage& manager = Manager();
    manager.SetRunning();
    data.Install();
    EXPECT_EQ(manager.PendingAction, saSkinAll);
    data.Uninstall();
    EXPECT_EQ(manager.PendingAction, saUnskinAll);
    data.EnableSkin(true);
    EXPECT_TRUE(manager.Enabled());
    data.UpdateMainMenu(false);
    EXPECT_FALSE(data.MainMenuUpdate());
    data.UpdateMainMenu(true);
    EXPECT_TRUE(data.MainMenuUpdate());
    SCROLLBARINFO info{};
    EXPECT_FALSE(data.GetScrollBarInfo(nullptr, OBJID_HSCROLL, info));
}
