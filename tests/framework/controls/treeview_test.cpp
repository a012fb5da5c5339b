// TTreeView: nodes in the window, their relations, the selection event,
// a new window keeping the tree.

#include "framework/collection.h"
#include "framework/controls/treeview.h"

#include "testform.h"

namespace tarnivo {
namespace {

class TreeView : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        tree = new TTreeView(form.get());
        tree->SetBounds(0, 0, 200, 200);
        tree->SetParent(form.get());
        root = tree->Items().Add("root");
        a = tree->Items().AddChild(root, "a", &dataA);
        b = tree->Items().AddChild(root, "b");
        a1 = tree->Items().AddChild(a, "a1");
    }
    TTreeView* tree = nullptr;
    TTreeNode root, a, b, a1;
    int dataA = 7;
};

TEST_F(TreeView, NodesKnowTheirRelationsAndLevels)
{
    EXPECT_EQ(tree->Items().Count(), 4);
    EXPECT_EQ(root.Count(), 2);
    EXPECT_EQ(a1.Parent(), a);
    EXPECT_EQ(a1.Level(), 2);
    EXPECT_FALSE(root.Parent());
    EXPECT_EQ(a.GetNextSibling(), b);
    EXPECT_FALSE(b.GetNextSibling());
    EXPECT_EQ(a.Data(), &dataA);
    TTreeNode first = tree->Items().Insert(a, "first");
    EXPECT_EQ(root.GetFirstChild(), first);
    EXPECT_EQ(first.GetNextSibling(), a);
    a.Delete();   // with its child
    EXPECT_EQ(tree->Items().Count(), 3);
    EXPECT_FALSE(a);
    EXPECT_THROW(a.Text(), EListError);
}

TEST_F(TreeView, SelectionRaisesOnChangeWithTheNewNode)
{
    std::vector<std::string> seen;
    tree->OnChange = [&](TObject*, TTreeNode node) { seen.push_back(node ? node.Text() : "-"); };
    root.Expand(true);
    tree->SetSelected(a1);
    EXPECT_TRUE(a1.Selected());
    b.SetSelected(true);
    EXPECT_EQ(seen, (std::vector<std::string>{"a1", "b"}));
    EXPECT_EQ(tree->Selected(), b);
}

TEST_F(TreeView, ANewWindowKeepsTextsDataExpansionAndSelection)
{
    root.Expand();
    tree->SetSelected(b);
    tree->SetBorderStyle(bsNone);   // changes the frame, keeps the window
    EXPECT_EQ(tree->Items().Count(), 4);
    form->SetBorderStyle(bsSingle);   // recreates the windows
    TTreeNode newRoot = tree->Items().GetFirstNode();
    ASSERT_TRUE(newRoot);
    EXPECT_TRUE(newRoot.Expanded());
    TTreeNode newA = newRoot.GetFirstChild();
    EXPECT_EQ(newA.Text(), "a");
    EXPECT_EQ(newA.Data(), &dataA);
    EXPECT_FALSE(newA.Expanded());
    EXPECT_EQ(newA.GetFirstChild().Text(), "a1");
    EXPECT_EQ(tree->Selected().Text(), "b");
    EXPECT_FALSE(GetWindowLongA(tree->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(TreeView, AnEditInPlaceKeepsItsTextUnlessReadOnly)
{
    ShowForm();
    auto editTo = [this](TTreeNode node, const char* text) {
        tree->SetFocus();
        auto edit = reinterpret_cast<HWND>(
            SendMessageA(tree->Handle(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(node.ItemId())));
        if (!edit)
            return false;
        SetWindowTextA(edit, text);
        SendMessageA(tree->Handle(), TVM_ENDEDITLABELNOW, FALSE, 0);
        return true;
    };
    ASSERT_TRUE(editTo(b, "renamed"));
    EXPECT_EQ(b.Text(), "renamed");
    tree->SetReadOnly(true);
    EXPECT_FALSE(editTo(b, "again"));   // no edit box at all
    EXPECT_EQ(b.Text(), "renamed");
}

} // namespace
} // namespace tarnivo
