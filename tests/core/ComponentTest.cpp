// Component tree: ownership, moving and unlinking, and the dispatch rules of send, sendUp
// and sendBroadcast (order, observers, stopping, replaced records, expiry, tree changes).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/Component.h"
#include "core/EventName.h"
#include "core/Observer.h"
#include "support/RecordingComponent.h"

namespace {

using Strings = std::vector<std::string>;

// root
// |- a           (observer oa)
// |  |- a1
// |  `- a2
// |- b
// |  `- b1
// `- c
struct Tree {
    EventLog log;
    std::map<std::string, Component*> by;
    RecordingComponent* root;

    Tree() {
        root = make("root");
        Component* a = make("a", root);
        makeObserver("oa", a);
        make("a1", a);
        make("a2", a);
        Component* b = make("b", root);
        make("b1", b);
        make("c", root);
    }
    ~Tree() { delete root; }

    RecordingComponent* make(const std::string& label, Component* parent = nullptr) {
        auto* c = new RecordingComponent(&log, label);
        by[label] = c;
        if (parent) parent->add(c);
        return c;
    }
    RecordingObserver* makeObserver(const std::string& label, Component* parent) {
        auto* o = new RecordingObserver(&log, label);
        by[label] = o;
        parent->add(o);
        return o;
    }
    void setAction(const std::string& label, RecordingComponent::Action action) {
        Component* c = by.at(label);
        if (c->isObserver())
            static_cast<RecordingObserver*>(c)->action = std::move(action);
        else
            static_cast<RecordingComponent*>(c)->action = std::move(action);
    }
};

Event* stopSame(Component*, Event* e) {
    e->propagate = false;
    return e;
}

Strings labels(const std::vector<Component*>& list, const std::map<std::string, Component*>& by) {
    Strings out;
    for (Component* c : list) {
        for (const auto& entry : by)
            if (entry.second == c) out.push_back(entry.first);
    }
    return out;
}

std::vector<Component*> childrenOf(Component* c) {
    std::vector<Component*> out;
    for (int i = 0; i < c->children.size(); i++) out.push_back(c->children.get(i));
    return out;
}

TEST(ComponentTree, AddSetsParentAndAppendsInOrder) {
    Tree t;
    EXPECT_EQ(labels(childrenOf(t.root), t.by), (Strings{"a", "b", "c"}));
    EXPECT_EQ(labels(childrenOf(t.by["a"]), t.by), (Strings{"oa", "a1", "a2"}));
    EXPECT_EQ(t.by["a1"]->parent, t.by["a"]);
    EXPECT_EQ(t.root->parent, nullptr);
    EXPECT_TRUE(t.by["oa"]->isObserver());
    EXPECT_FALSE(t.by["a"]->isObserver());
}

TEST(ComponentTree, AddMovesAChildFromItsOldParentAndToTheEnd) {
    Tree t;
    t.by["b"]->add(t.by["a1"]);
    EXPECT_EQ(labels(childrenOf(t.by["a"]), t.by), (Strings{"oa", "a2"}));
    EXPECT_EQ(labels(childrenOf(t.by["b"]), t.by), (Strings{"b1", "a1"}));
    EXPECT_EQ(t.by["a1"]->parent, t.by["b"]);

    // Adding again to the same parent moves it to the end, without a second entry.
    t.root->add(t.by["a"]);
    EXPECT_EQ(labels(childrenOf(t.root), t.by), (Strings{"b", "c", "a"}));
}

TEST(ComponentTree, AddRefusesNullAndLoops) {
    Tree t;
    t.root->add(nullptr);
    EXPECT_EQ(t.root->children.size(), 3);

    // A component below itself or below its own descendant would make broadcasts endless.
    t.by["a"]->add(t.by["a"]);
    t.by["a1"]->add(t.root);
    t.by["a1"]->add(t.by["a"]);
    EXPECT_EQ(t.root->parent, nullptr);
    EXPECT_EQ(t.by["a"]->parent, t.root);
    EXPECT_EQ(t.by["a1"]->children.size(), 0);
    EXPECT_EQ(labels(childrenOf(t.by["a"]), t.by), (Strings{"oa", "a1", "a2"}));
    t.root->sendBroadcast("ping");
    EXPECT_EQ(t.log.seen.size(), 8u);
}

TEST(ComponentTree, UnlinkRemovesOnlyTheFirstOccurrenceAndKeepsOrder) {
    Tree t;
    t.by["b"]->unlink();
    EXPECT_EQ(t.by["b"]->parent, nullptr);
    EXPECT_EQ(labels(childrenOf(t.root), t.by), (Strings{"a", "c"}));
    t.by["b"]->unlink();  // a root: nothing happens
    EXPECT_EQ(t.root->children.size(), 2);

    // A parent link that its parent's list does not back only gets cleared.
    Component stray;
    stray.parent = t.root;
    stray.unlink();
    EXPECT_EQ(stray.parent, nullptr);
    EXPECT_EQ(labels(childrenOf(t.root), t.by), (Strings{"a", "c"}));
    delete t.by["b"];
}

TEST(ComponentTree, DeletingAParentDeletesEachChildSubtreeBeforeLaterSiblings) {
    EventLog log;
    auto* top = new RecordingComponent(&log, "top");
    auto* x = new RecordingComponent(&log, "x");
    auto* x1 = new RecordingComponent(&log, "x1");
    auto* x1a = new RecordingComponent(&log, "x1a");
    auto* x2 = new RecordingComponent(&log, "x2");
    auto* y = new RecordingComponent(&log, "y");
    auto* oy = new RecordingObserver(&log, "oy");
    top->add(x);
    x->add(x1);
    x1->add(x1a);
    x->add(x2);
    top->add(y);
    y->add(oy);
    delete top;
    EXPECT_EQ(log.destroyed, (Strings{"top", "x", "x1", "x1a", "x2", "y", "oy"}));
}

TEST(ComponentTree, DeletingAnAttachedComponentTakesItOutOfItsParent) {
    Tree t;
    delete t.by["a1"];
    EXPECT_EQ(labels(childrenOf(t.by["a"]), t.by), (Strings{"oa", "a2"}));
    t.by.erase("a1");

    // A handler that deletes a later sibling during a broadcast: the loop goes on safely.
    t.setAction("a", [&](Component*, Event* e) {
        if (t.by.count("b")) {
            delete t.by["b"];
            t.by.erase("b");
        }
        return e;
    });
    t.root->sendBroadcast("ping");
    EXPECT_EQ(t.log.visitors(), (Strings{"root", "a", "oa", "a2", "c"}));
    EXPECT_EQ(t.log.destroyed, (Strings{"a1", "b", "b1"}));
}

TEST(ComponentTree, RemoveChildrenDeletesThemAndLeavesTheParentUsable) {
    Tree t;
    t.by["a"]->removeChildren();
    EXPECT_EQ(t.log.destroyed, (Strings{"oa", "a1", "a2"}));
    EXPECT_EQ(t.by["a"]->children.size(), 0);
    t.root->sendBroadcast("ping");
    EXPECT_EQ(t.log.visitors(), (Strings{"root", "a", "b", "b1", "c"}));
}

// A child whose destructor unlinks itself must not disturb the deletion of its siblings.
class SelfUnlinking : public RecordingComponent {
public:
    using RecordingComponent::RecordingComponent;
    ~SelfUnlinking() override { unlink(); }
};

TEST(ComponentTree, ChildThatUnlinksInItsDestructorDoesNotSkipSiblings) {
    EventLog log;
    auto* top = new RecordingComponent(&log, "top");
    top->add(new SelfUnlinking(&log, "s1"));
    top->add(new SelfUnlinking(&log, "s2"));
    top->add(new RecordingComponent(&log, "s3"));
    top->removeChildren();
    EXPECT_EQ(log.destroyed, (Strings{"s1", "s2", "s3"}));
    EXPECT_EQ(top->children.size(), 0);
    delete top;
}

TEST(ComponentDispatch, BroadcastIsDepthFirstPreOrderWithObserversBesideTheirParent) {
    Tree t;
    int payload = 7;
    t.root->sendBroadcast("ping", t.by["c"], &payload);
    EXPECT_EQ(t.log.visitors(), (Strings{"root", "a", "oa", "a1", "a2", "b", "b1", "c"}));
    for (const SeenEvent& s : t.log.seen) {
        EXPECT_EQ(s.name, "ping");
        EXPECT_EQ(s.source, t.by["c"]);
        EXPECT_EQ(s.data, &payload);
    }
}

TEST(ComponentDispatch, NameFormsSetSourceAndClimbToTheRoot) {
    struct Case {
        const char* what;
        std::function<void(Tree&)> dispatch;
        Strings visitors;
        std::string source;
    };
    int payload = 1;
    std::vector<Case> cases = {
        {"send(name) climbs like sendUp",
         [](Tree& t) { t.by["a1"]->send("ping"); },
         {"a1", "a", "oa", "root"},
         "a1"},
        {"send(name, source, data)",
         [&](Tree& t) { t.by["a1"]->send("ping", t.by["c"], &payload); },
         {"a1", "a", "oa", "root"},
         "c"},
        {"sendUp(name)", [](Tree& t) { t.by["b1"]->sendUp("ping"); }, {"b1", "b", "root"}, "b1"},
        {"sendUp(name, source, data)",
         [&](Tree& t) { t.by["b1"]->sendUp("ping", t.by["a"], &payload); },
         {"b1", "b", "root"},
         "a"},
        {"sendUp from the root reaches it and its observers only",
         [](Tree& t) {
             t.root->add(t.by["oa"]);
             t.root->sendUp("ping");
         },
         {"root", "oa"},
         "root"},
        {"broadcast from a leaf", [](Tree& t) { t.by["b1"]->sendBroadcast("ping"); }, {"b1"}, "b1"},
        {"broadcast from a parent with an observer",
         [](Tree& t) { t.by["a"]->sendBroadcast("ping"); },
         {"a", "oa", "a1", "a2"},
         "a"},
        {"broadcast of a moved leaf with an observer",
         [](Tree& t) {
             t.by["c"]->add(t.by["oa"]);
             t.by["c"]->sendBroadcast("ping");
         },
         {"c", "oa"},
         "c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Tree t;
        c.dispatch(t);
        EXPECT_EQ(t.log.visitors(), c.visitors);
        for (const SeenEvent& s : t.log.seen) EXPECT_EQ(s.source, t.by.at(c.source));
    }
}

TEST(ComponentDispatch, EventRecordSendReachesTheComponentAndItsObserversOnly) {
    Tree t;
    Event e{"ping", t.root, nullptr, true};
    Event* r = t.by["a"]->send(&e);
    EXPECT_EQ(r, &e);
    EXPECT_EQ(t.log.visitors(), (Strings{"a", "oa"}));
    EXPECT_EQ(t.log.seen[1].record, &e);
}

TEST(ComponentDispatch, SendReturnsTheLastRecordAHandlerReturned) {
    Tree t;
    Event own{"own", nullptr, nullptr, true};
    t.setAction("oa", [&](Component*, Event*) { return &own; });
    Event e{"ping", t.root, nullptr, true};
    EXPECT_EQ(t.by["a"]->send(&e), &own);
    EXPECT_EQ(t.by["a1"]->sendUp(&e), &own);  // a's result travels on to the root
    EXPECT_EQ(t.log.seen.back().by, "root");
    EXPECT_EQ(t.log.seen.back().record, &own);
}

TEST(ComponentDispatch, ObserversSeeEveryDeliveryToTheirParentExactlyOnce) {
    Tree t;
    auto* ob = t.makeObserver("ob", t.by["b"]);
    (void)ob;
    t.by["b1"]->sendUp("up");
    t.by["b"]->send("one");
    t.root->sendBroadcast("all");
    EXPECT_EQ(t.log.trace(),
              (Strings{"b1:up", "b:up", "ob:up", "root:up", "b:one", "ob:one", "root:one", "root:all",
                       "a:all", "oa:all", "a1:all", "a2:all", "b:all", "ob:all", "b1:all", "c:all"}));
}

TEST(ComponentDispatch, ObserversChildrenAreNotVisited) {
    Tree t;
    t.make("under", t.by["oa"]);
    t.root->sendBroadcast("all");
    for (const SeenEvent& s : t.log.seen) EXPECT_NE(s.by, "under");
}

TEST(ComponentDispatch, StoppingEndsEveryLoopThatDeliversTheSameRecord) {
    struct Case {
        const char* what;
        std::vector<std::string> stoppers;   // handlers that clear the flag of what they got
        std::vector<std::string> replacers;  // handlers that pass on a record of their own
        Strings visitors;
    };
    std::vector<Case> cases = {
        {"stop at a leaf ends the whole broadcast", {"a1"}, {}, {"root", "a", "oa", "a1"}},
        {"stop at a parent skips its observers and children", {"a"}, {}, {"root", "a"}},
        {"stop at an observer skips its parent's children", {"oa"}, {}, {"root", "a", "oa"}},
        {"stop at the last child", {"c"}, {}, {"root", "a", "oa", "a1", "a2", "b", "b1", "c"}},
        {"stop below a replacing parent ends only that subtree",
         {"a1"},
         {"a"},
         {"root", "a", "oa", "a1", "b", "b1", "c"}},
        {"stop of a replaced record by its owner's observer",
         {"oa"},
         {"a"},
         {"root", "a", "oa", "b", "b1", "c"}},
        {"stop at the root", {"root"}, {}, {"root"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Tree t;
        std::vector<Event> owned(c.replacers.size());
        for (size_t i = 0; i < c.replacers.size(); i++) {
            Event* mine = &owned[i];
            t.setAction(c.replacers[i], [mine](Component*, Event* e) {
                *mine = *e;
                return mine;
            });
        }
        for (const std::string& s : c.stoppers) t.setAction(s, stopSame);
        t.root->sendBroadcast("ping");
        EXPECT_EQ(t.log.visitors(), c.visitors);
    }
}

TEST(ComponentDispatch, StoppingInSendUpSkipsTheAncestors) {
    struct Case {
        std::string stopper;
        Strings visitors;
    };
    for (const Case& c : std::vector<Case>{{"a1", {"a1"}},
                                           {"a", {"a1", "a"}},
                                           {"oa", {"a1", "a", "oa"}},
                                           {"root", {"a1", "a", "oa", "root"}}}) {
        SCOPED_TRACE(c.stopper);
        Tree t;
        t.makeObserver("ob", t.by["a"]);  // a second observer, after oa
        t.setAction(c.stopper, stopSame);
        t.by["a1"]->sendUp("ping");
        Strings expected = c.visitors;
        if (c.stopper == "root") expected = {"a1", "a", "oa", "ob", "root"};
        EXPECT_EQ(t.log.visitors(), expected);
    }
}

TEST(ComponentDispatch, SiblingsReceiveTheParentsRecordNotTheirElderSiblings) {
    Tree t;
    Event fromRoot{}, fromA{}, fromA1{}, fromB{};
    auto replaceWith = [](Event* mine) {
        return [mine](Component*, Event* e) {
            *mine = *e;
            return mine;
        };
    };
    t.setAction("root", replaceWith(&fromRoot));
    t.setAction("a", replaceWith(&fromA));
    t.setAction("a1", replaceWith(&fromA1));
    t.setAction("b", replaceWith(&fromB));
    Event e{"ping", t.root, nullptr, true};
    t.root->sendBroadcast(&e);

    std::map<std::string, Event*> got;
    for (const SeenEvent& s : t.log.seen) got[s.by] = s.record;
    EXPECT_EQ(got["root"], &e);
    EXPECT_EQ(got["a"], &fromRoot);
    EXPECT_EQ(got["oa"], &fromA);  // an observer gets what its parent's handler returned
    EXPECT_EQ(got["a1"], &fromA);
    EXPECT_EQ(got["a2"], &fromA);    // not a1's record
    EXPECT_EQ(got["b"], &fromRoot);  // not a's record
    EXPECT_EQ(got["b1"], &fromB);
    EXPECT_EQ(got["c"], &fromRoot);
}

TEST(ComponentDispatch, ExpiredChildrenLeaveOnlyThroughBroadcastsThatReachThem) {
    struct Case {
        const char* what;
        Strings expire;
        std::function<void(Tree&)> dispatch;
        Strings visitors;
        Strings destroyed;
    };
    std::vector<Case> cases = {
        {"broadcast removes an expired child before it receives anything",
         {"b"},
         [](Tree& t) { t.root->sendBroadcast("ping"); },
         {"root", "a", "oa", "a1", "a2", "c"},
         {"b", "b1"}},
        {"two consecutive expired children both go; the next still receives",
         {"a1", "a2"},
         [](Tree& t) {
             t.make("a3", t.by["a"]);
             t.root->sendBroadcast("ping");
         },
         {"root", "a", "oa", "a3", "b", "b1", "c"},
         {"a1", "a2"}},
        {"the expired check comes before the observer check",
         {"oa"},
         [](Tree& t) { t.root->sendBroadcast("ping"); },
         {"root", "a", "oa", "a1", "a2", "b", "b1", "c"},
         {"oa"}},
        {"send and sendUp never remove",
         {"a1", "oa"},
         [](Tree& t) {
             t.by["a"]->send("ping");
             t.by["a2"]->sendUp("ping");
             Event e{"x", nullptr, nullptr, true};
             t.by["a"]->send(&e);
         },
         {"a", "oa", "root", "a2", "a", "oa", "root", "a", "oa"},
         {}},
        {"a broadcast stopped before the child does not remove it",
         {"c"},
         [](Tree& t) {
             t.setAction("b1", stopSame);
             t.root->sendBroadcast("ping");
         },
         {"root", "a", "oa", "a1", "a2", "b", "b1"},
         {}},
        {"the broadcasting component itself is not removed",
         {"a"},
         [](Tree& t) { t.by["a"]->sendBroadcast("ping"); },
         {"a", "oa", "a1", "a2"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Tree t;
        for (const std::string& label : c.expire) t.by[label]->expired = true;
        c.dispatch(t);
        EXPECT_EQ(t.log.visitors(), c.visitors);
        EXPECT_EQ(t.log.destroyed, c.destroyed);
        for (const std::string& gone : c.destroyed) t.by.erase(gone);
        // What was not destroyed is still linked where it was.
        for (const auto& entry : t.by) {
            if (entry.first == "root") continue;
            Component* p = entry.second->parent;
            ASSERT_NE(p, nullptr) << entry.first;
            bool found = false;
            for (int i = 0; i < p->children.size(); i++) found |= p->children.get(i) == entry.second;
            EXPECT_TRUE(found) << entry.first;
        }
    }
}

TEST(ComponentDispatch, ChildAppendedDuringABroadcastIsVisitedInTheSamePass) {
    Tree t;
    t.setAction("a1", [&](Component* self, Event* e) {
        if (!t.by.count("late")) {
            t.make("late", self->parent);  // appended behind a2
            t.make("later", t.root);       // appended behind c
        }
        return e;
    });
    t.root->sendBroadcast("ping");
    EXPECT_EQ(t.log.visitors(), (Strings{"root", "a", "oa", "a1", "a2", "late", "b", "b1", "c", "later"}));
}

TEST(ComponentDispatch, ChildThatUnlinksItselfMakesTheNextSiblingMissTheEvent) {
    Tree t;
    t.setAction("a", [](Component* self, Event* e) {
        self->unlink();
        return e;
    });
    t.root->sendBroadcast("ping");
    // b moved into a's position after a's subtree had the event, so the loop passes it by.
    EXPECT_EQ(t.log.visitors(), (Strings{"root", "a", "oa", "a1", "a2", "c"}));
    delete t.by["a"];
}

TEST(ComponentDispatch, ExpiringDuringTheBroadcastTakesEffectAtTheNextOne) {
    Tree t;
    t.setAction("b", [](Component* self, Event* e) {
        self->expired = true;
        return e;
    });
    t.root->sendBroadcast("one");
    EXPECT_TRUE(t.log.destroyed.empty());
    t.log.clear();
    t.root->sendBroadcast("two");
    EXPECT_EQ(t.log.visitors(), (Strings{"root", "a", "oa", "a1", "a2", "c"}));
    EXPECT_EQ(t.log.destroyed, (Strings{"b", "b1"}));
}

TEST(ComponentDispatch, ExceptionsPassThroughAndLeaveTheTreeAsItWas) {
    Tree t;
    t.by["c"]->expired = true;
    t.setAction("b1", [](Component*, Event* e) -> Event* {
        if (std::string(e->name) == "boom") throw "handler failed";
        return e;
    });
    try {
        t.root->sendBroadcast("boom");
        FAIL() << "no exception";
    } catch (const char* message) {
        EXPECT_STREQ(message, "handler failed");
    }
    EXPECT_EQ(t.root->children.size(), 3);  // c was not reached, so it is still there
    t.log.clear();
    t.root->sendBroadcast("ping");
    EXPECT_EQ(t.log.visitors(), (Strings{"root", "a", "oa", "a1", "a2", "b", "b1"}));
}

}  // namespace

namespace {

TEST(EventName, MatchesWholeNamesOnlyAndToleratesMissingParts) {
    char update[] = "update";  // a copy: names match by text, not by pointer
    Event named{update};
    Event unnamed{};
    struct Case {
        const Event* event;
        const char* name;
        bool expected;
    };
    const Case cases[] = {
        {&named, "update", true},    {&named, "updat", false},   {&named, "update2", false},
        {&named, "Update", false},   {&named, "", false},        {&named, nullptr, false},
        {&unnamed, "update", false}, {nullptr, "update", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isEvent(c.event, c.name), c.expected)
            << (c.event ? (c.event->name ? c.event->name : "(no name)") : "(no event)") << " vs "
            << (c.name ? c.name : "(null)");
    }
}

struct Marker : Component {};
struct OtherMarker : Component {};

TEST(FindAncestor, WalksUpFromTheComponentItselfToTheFirstOfTheClass) {
    Component root;
    auto* outer = new Marker;
    auto* inner = new Marker;
    auto* plain = new Component;
    auto* leaf = new Component;
    root.add(outer);
    outer->add(inner);
    inner->add(plain);
    plain->add(leaf);

    EXPECT_EQ(findAncestor<Marker>(leaf), inner) << "the nearest one wins";
    EXPECT_EQ(findAncestor<Marker>(inner), inner) << "the start counts";
    EXPECT_EQ(findAncestor<Marker>(&root), nullptr);
    EXPECT_EQ(findAncestor<OtherMarker>(leaf), nullptr);
    EXPECT_EQ(findAncestor<Marker>(nullptr), nullptr);
}

}  // namespace
