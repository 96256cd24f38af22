#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

#include "platform/ui/view/UIView.h"

namespace {

UIViewPtr makeView(const CGRect& frame, int tag = 0) {
    auto view = std::make_shared<UIView>(frame);
    view->setTag(tag);
    return view;
}

std::vector<int> tagsOf(const UIView& view) {
    std::vector<int> tags;
    for (const UIViewPtr& subview : view.subviews()) {
        tags.push_back(subview->tag());
    }
    return tags;
}

// Records its tree hooks in order.
class HookedView : public UIView {
public:
    using UIView::UIView;
    std::vector<std::string> log;

    void didAddSubview(const UIViewPtr& subview) override {
        log.push_back("add " + std::to_string(subview->tag()));
    }
    void willRemoveSubview(const UIViewPtr& subview) override {
        log.push_back("remove " + std::to_string(subview->tag()));
    }
    void didMoveToSuperview() override {
        log.push_back(superview() ? "superview" : "no superview");
    }
    void layoutSubviews() override { log.push_back("layout"); }
};

// Takes touches only inside a circle, and hands touches on itself to what lies below.
class RoundView : public UIView {
public:
    using UIView::UIView;
    bool pointInside(CGPoint p, const UIEvent*) const override {
        const double dx = p.x - bounds().midX();
        const double dy = p.y - bounds().midY();
        return dx * dx + dy * dy <= bounds().width() * bounds().width() / 4;
    }
};

class PassThroughView : public UIView {
public:
    using UIView::UIView;
    UIViewPtr hitTest(CGPoint point, const UIEvent* event) override {
        UIViewPtr hit = UIView::hitTest(point, event);
        return hit.get() == this ? nullptr : hit;
    }
};

}  // namespace

TEST(ViewHierarchyTest, SubviewOrderOperations) {
    const auto parent = makeView({0, 0, 100, 100});
    const auto a = makeView({}, 1);
    const auto b = makeView({}, 2);
    const auto c = makeView({}, 3);
    const auto d = makeView({}, 4);
    parent->addSubview(a);
    parent->addSubview(b);
    parent->addSubview(c);
    EXPECT_EQ(tagsOf(*parent), (std::vector<int>{1, 2, 3}));

    parent->insertSubviewAtIndex(d, 1);
    EXPECT_EQ(tagsOf(*parent), (std::vector<int>{1, 4, 2, 3}));
    parent->bringSubviewToFront(a);
    EXPECT_EQ(tagsOf(*parent), (std::vector<int>{4, 2, 3, 1}));
    parent->sendSubviewToBack(c);
    EXPECT_EQ(tagsOf(*parent), (std::vector<int>{3, 4, 2, 1}));
    parent->insertSubviewAboveSubview(c, b);
    EXPECT_EQ(tagsOf(*parent), (std::vector<int>{4, 2, 3, 1}));
    parent->insertSubviewBelowSubview(a, d);
    EXPECT_EQ(tagsOf(*parent), (std::vector<int>{1, 4, 2, 3}));
    parent->exchangeSubviewAtIndex(0, 3);
    EXPECT_EQ(tagsOf(*parent), (std::vector<int>{3, 4, 2, 1}));
    parent->exchangeSubviewAtIndex(0, 9);
    EXPECT_EQ(tagsOf(*parent), (std::vector<int>{3, 4, 2, 1}));
    // Adding again moves it to the top.
    parent->addSubview(c);
    EXPECT_EQ(tagsOf(*parent), (std::vector<int>{4, 2, 1, 3}));

    b->removeFromSuperview();
    EXPECT_EQ(tagsOf(*parent), (std::vector<int>{4, 1, 3}));
    EXPECT_EQ(b->superview(), nullptr);

    // Moving a view to another parent takes it out of the first.
    const auto other = makeView({}, 9);
    other->addSubview(a);
    EXPECT_EQ(tagsOf(*parent), (std::vector<int>{4, 3}));
    EXPECT_EQ(a->superview(), other);

    // No cycles: a view can't go inside itself or its own descendant.
    a->addSubview(other);
    a->addSubview(a);
    EXPECT_TRUE(a->subviews().empty());
    EXPECT_EQ(parent->viewWithTag(3), c);
    EXPECT_EQ(parent->viewWithTag(42), nullptr);
}

TEST(ViewHierarchyTest, HooksRunOnceInOrderAndSuperviewIsWeak) {
    const auto parent = std::make_shared<HookedView>(CGRect{0, 0, 10, 10});
    const auto child = std::make_shared<HookedView>(CGRect{0, 0, 5, 5});
    child->setTag(7);
    parent->addSubview(child);
    child->removeFromSuperview();
    EXPECT_EQ(parent->log, (std::vector<std::string>{"add 7", "remove 7"}));
    EXPECT_EQ(child->log, (std::vector<std::string>{"superview", "no superview"}));

    // The subview may outlive its parent without a dangling superview.
    std::weak_ptr<UIView> weakParent;
    const auto orphan = makeView({});
    {
        auto temporary = makeView({});
        temporary->addSubview(orphan);
        weakParent = temporary;
    }
    EXPECT_TRUE(weakParent.expired());
    EXPECT_EQ(orphan->superview(), nullptr);
}

TEST(ViewHierarchyTest, LayoutRunsWhenNeededTopDown) {
    const auto parent = std::make_shared<HookedView>(CGRect{0, 0, 10, 10});
    parent->layoutIfNeeded();
    parent->layoutIfNeeded();
    EXPECT_EQ(parent->log, (std::vector<std::string>{"layout"}));
    parent->setFrame({0, 0, 10, 10});
    parent->layoutIfNeeded();
    EXPECT_EQ(parent->log.size(), 1u);
    parent->setBounds({0, 0, 20, 10});
    parent->layoutIfNeeded();
    EXPECT_EQ(parent->log.size(), 2u);
    parent->setNeedsLayout();
    parent->layoutIfNeeded();
    EXPECT_EQ(parent->log.size(), 3u);
}

TEST(ViewHierarchyTest, HitTestingSkipsViewsThatTakeNoTouches) {
    const auto root = makeView({0, 0, 300, 300}, 1);
    const auto panel = makeView({0, 0, 200, 200}, 2);
    const auto button = makeView({50, 50, 50, 50}, 3);
    root->addSubview(panel);
    panel->addSubview(button);

    EXPECT_EQ(root->hitTest({60, 60}, nullptr), button);
    EXPECT_EQ(root->hitTest({10, 10}, nullptr), panel);
    EXPECT_EQ(root->hitTest({250, 250}, nullptr), root);
    EXPECT_EQ(root->hitTest({350, 10}, nullptr), nullptr);

    button->setHidden(true);
    EXPECT_EQ(root->hitTest({60, 60}, nullptr), panel);
    button->setHidden(false);
    button->setAlpha(0.005);
    EXPECT_EQ(root->hitTest({60, 60}, nullptr), panel);
    button->setAlpha(0.02);
    EXPECT_EQ(root->hitTest({60, 60}, nullptr), button);
    // A parent that takes no touches hides its subviews from them too.
    panel->setUserInteractionEnabled(false);
    EXPECT_EQ(root->hitTest({60, 60}, nullptr), root);
    panel->setUserInteractionEnabled(true);

    // Outside its parent's bounds a subview can't be touched, drawn or not.
    const auto overhang = makeView({180, 180, 50, 50}, 4);
    panel->addSubview(overhang);
    EXPECT_EQ(root->hitTest({190, 190}, nullptr), overhang);
    EXPECT_EQ(root->hitTest({210, 210}, nullptr), root);

    // Transforms apply: the panel turned a quarter round its centre (100, 100) puts the
    // button's centre (75, 75) at (125, 75).
    panel->setTransform(CGAffineTransform::makeRotation(std::numbers::pi / 2));
    EXPECT_EQ(root->hitTest({125, 75}, nullptr), button);
    EXPECT_EQ(root->hitTest({75, 75}, nullptr), panel);
}

TEST(ViewHierarchyTest, OverriddenHitTestingShapesWhatIsTouched) {
    const auto root = makeView({0, 0, 100, 100});
    const auto round = std::make_shared<RoundView>(CGRect{0, 0, 100, 100});
    root->addSubview(round);
    EXPECT_EQ(root->hitTest({50, 50}, nullptr), round);
    EXPECT_EQ(root->hitTest({3, 3}, nullptr), root);

    const auto box = std::make_shared<PassThroughView>(CGRect{0, 0, 100, 100});
    const auto handle = makeView({80, 80, 20, 20});
    box->addSubview(handle);
    root->addSubview(box);
    EXPECT_EQ(root->hitTest({90, 90}, nullptr), handle);
    EXPECT_EQ(root->hitTest({50, 50}, nullptr), round);
}

TEST(ViewHierarchyTest, AssociatedValuesAndSizeToFit) {
    const auto view = makeView({5, 6, 10, 10});
    view->setAssociatedValue("info", std::make_shared<std::string>("kept"));
    EXPECT_EQ(*std::static_pointer_cast<std::string>(view->associatedValue("info")), "kept");
    view->setAssociatedValue("info", nullptr);
    EXPECT_EQ(view->associatedValue("info"), nullptr);
    EXPECT_EQ(view->associatedValue("missing"), nullptr);

    struct Fixed : UIView {
        using UIView::UIView;
        CGSize sizeThatFits(CGSize) const override { return {42, 7}; }
    };
    const auto fixed = std::make_shared<Fixed>(CGRect{5, 6, 10, 10});
    fixed->sizeToFit();
    EXPECT_EQ(fixed->frame(), (CGRect{5, 6, 42, 7}));
}
