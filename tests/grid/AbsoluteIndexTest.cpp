// The absolute index: the cache must always answer as a walk of the tree
// would, through every kind of structural change.
#include "grid/treelist/TreeList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <map>
#include <vector>

namespace {

// The shown nodes in display order, found by walking the tree through its
// public relations only.
void walk(TqvTreeListNode* node, std::vector<TqvTreeListNode*>& out)
{
    out.push_back(node);
    if (node->Expanded())
        for (int i = 0; i < node->Count(); ++i) walk(node->Items(i), out);
}

std::vector<TqvTreeListNode*> shownByWalking(const TCustomqvTreeList& tree)
{
    std::vector<TqvTreeListNode*> out;
    for (int i = 0; i < tree.Count(); ++i) walk(tree.Items(i), out);
    return out;
}

void expectConsistent(const TCustomqvTreeList& tree, const std::vector<TqvTreeListNode*>& live, int step)
{
    std::vector<TqvTreeListNode*> shown = shownByWalking(tree);
    ASSERT_EQ(tree.AbsoluteCount(), static_cast<int>(shown.size())) << "step " << step;
    for (size_t i = 0; i < shown.size(); ++i)
        ASSERT_EQ(tree.GetNodeAtAbsoluteIndex(static_cast<int>(i)), shown[i]) << "step " << step << " index " << i;
    std::map<TqvTreeListNode*, int> position;
    for (size_t i = 0; i < shown.size(); ++i) position[shown[i]] = static_cast<int>(i);
    for (TqvTreeListNode* node : live) {
        auto it = position.find(node);
        ASSERT_EQ(tree.GetAbsoluteIndex(node), it == position.end() ? -1 : it->second) << "step " << step;
        // A node that lost its last child is collapsed again.
        if (node->Count() == 0) {
            ASSERT_FALSE(node->Expanded()) << "step " << step;
        }
    }
    if (tree.LockUpdate() == 0 && !shown.empty()) {
        ASSERT_TRUE(tree.IsAbsoluteIndexCacheValid()) << "step " << step;
    }
    if (tree.FocusedNode()) {
        ASSERT_TRUE(std::count(live.begin(), live.end(), tree.FocusedNode())) << "step " << step;
    }
}

TEST(AbsoluteIndex, RandomEditsKeepTheCacheEqualToAWalk)
{
    TCustomqvTreeList tree;
    std::vector<TqvTreeListNode*> live;
    tree.OnDeletion = [&](TComponent*, TqvTreeListNode* n) { live.erase(std::find(live.begin(), live.end(), n)); };

    std::mt19937 rng(20240611);
    auto pick = [&]() { return live[std::uniform_int_distribution<size_t>(0, live.size() - 1)(rng)]; };
    auto chance = [&](int percent) { return std::uniform_int_distribution<int>(0, 99)(rng) < percent; };

    for (int i = 0; i < 20; ++i) live.push_back(tree.Add());
    int depth = 0;  // open BeginUpdate calls
    for (int step = 0; step < 4000; ++step) {
        int op = std::uniform_int_distribution<int>(0, 14)(rng);
        if (live.empty()) op = 0;
        // Keep the tree at a few hundred nodes: deletions catch up when it grows.
        if (live.size() > 300 && op < 5) op = 6;
        switch (op) {
        case 0: live.push_back(tree.Add()); break;
        case 1: live.push_back(pick()->AddChild()); break;
        case 2: live.push_back(pick()->AddChildFirst()); break;
        case 3: live.push_back(tree.Insert(pick())); break;
        case 4: live.push_back(chance(50) ? pick()->AddChild() : tree.Insert(pick())); break;
        case 5:
        case 6: {
            TqvTreeListNode* n = pick();
            // Whole subtrees go, but not too often the big ones.
            if (n->Count() < 8 || chance(20)) n->Delete();
            break;
        }
        case 7: {
            auto mode = static_cast<TqvNodeAttachMode>(std::uniform_int_distribution<int>(0, 4)(rng));
            pick()->MoveTo(chance(10) ? nullptr : pick(), mode);
            break;
        }
        case 8:
        case 9: pick()->Expand(chance(20)); break;
        case 10: pick()->Collapse(chance(20)); break;
        case 11: tree.SetFocusedNode(pick()); break;
        case 12:
            // Short batches: inside them every answer is a walk.
            if (depth < 2 && chance(30)) {
                tree.BeginUpdate();
                ++depth;
            }
            break;
        case 13:
        case 14:
            if (depth > 0) {
                tree.EndUpdate();
                --depth;
            }
            break;
        }
        expectConsistent(tree, live, step);
        if (HasFatalFailure()) return;
    }
    while (depth-- > 0) tree.EndUpdate();
    expectConsistent(tree, live, -1);
}

TEST(AbsoluteIndex, FocusByIndexClampsAndNeedsNodes)
{
    TCustomqvTreeList tree;
    tree.SetFocusedAbsoluteIndex(3);  // empty: nothing
    EXPECT_EQ(tree.FocusedNode(), nullptr);
    EXPECT_EQ(tree.FocusedAbsoluteIndex(), -1);

    auto* a = tree.Add();
    a->AddChild();
    auto* b = tree.Add();
    struct Case {
        int asked, focused;
    };
    for (Case c : {Case{1, 1}, Case{99, 1}, Case{-5, 0}}) {
        tree.SetFocusedAbsoluteIndex(c.asked);
        EXPECT_EQ(tree.FocusedAbsoluteIndex(), c.focused) << c.asked;
    }
    EXPECT_EQ(tree.FocusedNode(), a);
    a->Expand(false);
    tree.SetFocusedAbsoluteIndex(99);
    EXPECT_EQ(tree.FocusedNode(), b);
    EXPECT_EQ(tree.FocusedAbsoluteIndex(), 2);
}

TEST(AbsoluteIndex, UpdatesDropTheCacheAndEndUpdateRebuildsIt)
{
    TCustomqvTreeList tree;
    for (int i = 0; i < 10; ++i) tree.Add();
    EXPECT_TRUE(tree.IsAbsoluteIndexCacheValid());
    tree.BeginUpdate();
    auto* n = tree.Insert(tree.Items(3));
    EXPECT_FALSE(tree.IsAbsoluteIndexCacheValid());  // answered by walking meanwhile
    EXPECT_EQ(tree.GetAbsoluteIndex(n), 3);
    tree.EndUpdate();
    EXPECT_TRUE(tree.IsAbsoluteIndexCacheValid());
    EXPECT_EQ(tree.GetAbsoluteIndex(tree.Items(10)), 10);
}

}  // namespace
