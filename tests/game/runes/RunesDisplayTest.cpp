// The runes display on a real window: how it is built, how a trial is set up and shown, the
// answer given by clicking, the check and its marks, closing a trial and starting over.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "RunesGame.h"
#include "core/Component.h"
#include "game/runes/Button.h"
#include "game/runes/Result.h"
#include "game/runes/Rune.h"
#include "game/runes/RunesEvents.h"
#include "render/Mesh.h"
#include "resources/Resource.h"
#include "resources/Resources.h"
#include "scene/Camera.h"
#include "scene/MeshRenderer.h"
#include "scene/Scene.h"
#include "window/Timer.h"
#include "window/Window.h"

namespace {

template <class T>
T* childAs(Component* parent, int index) {
    return dynamic_cast<T*>(parent->children.get(index));
}

std::vector<float> pointsOf(Timer* timer) {
    return std::vector<float>(timer->intervals.begin(), timer->intervals.end());
}

int marks(Runes* runes) { return runes->answerRow->children.size(); }

Result* mark(Runes* runes, int index) { return childAs<Result>(runes->answerRow, index); }

TEST(RunesDisplayTest, TheDisplayHoldsItsScenesTimersAndRunesInOrder) {
    for (int level = 1; level <= 3; level++) {
        SCOPED_TRACE("level " + std::to_string(level));
        RunesGame g(level);
        Runes* r = g.runes;
        const RunesLevel& table = Runes::levelTable(level);
        ASSERT_EQ(r->children.size(), 4);
        EXPECT_EQ(r->children.get(0), r->overlayScene);
        EXPECT_EQ(r->children.get(1), r->barUpTimer);
        EXPECT_EQ(r->children.get(2), r->barDownTimer);
        EXPECT_EQ(r->children.get(3), r->runeScene);
        EXPECT_EQ(r->barDownTimer->timeoutEvent, std::string("phase2"));

        // The backdrop fills the overlay on layer 1.
        MeshRenderer* backdrop = childAs<MeshRenderer>(r->overlayScene, 1);
        ASSERT_NE(backdrop, nullptr);
        EXPECT_STREQ(backdrop->textureResource->name, table.backdrop);
        EXPECT_EQ(backdrop->layerMask, 1u);
        EXPECT_FALSE(backdrop->depthTest);

        Component* scene = r->runeScene;
        ASSERT_EQ(scene->children.size(), 3 + r->runeCount);
        EXPECT_EQ(scene->children.get(0), r->runeScene->camera);
        EXPECT_TRUE(r->runeScene->camera->perspective);
        EXPECT_EQ(scene->children.get(1), r->bar);
        EXPECT_EQ(scene->children.get(2), r->answerRow);
        for (int i = 0; i < r->runeCount; i++) {
            Rune* rune = g.rune(i);
            ASSERT_EQ(scene->children.get(3 + i), rune);
            EXPECT_EQ(rune->index, i);
            Vector3 at = rune->localMatrix.getBase();
            EXPECT_FLOAT_EQ(at.x, table.places[i].x);
            EXPECT_FLOAT_EQ(at.y, table.places[i].y);
            EXPECT_FLOAT_EQ(at.z, -4);
        }

        // Four symbol buttons and the green check button on the bar.
        ASSERT_EQ(r->bar->children.size(), 5);
        for (int t = 0; t < 4; t++) {
            EXPECT_EQ(r->bar->children.get(t), r->typeButtons[t]);
            EXPECT_EQ(r->typeButtons[t]->type, t);
            EXPECT_EQ(r->typeButtons[t]->textureResource->name, "rune" + std::to_string(t + 1) + ".png");
        }
        EXPECT_EQ(r->bar->children.get(4), r->checkButton);
        EXPECT_STREQ(r->checkButton->textureResource->name, "successIcon.png");
        EXPECT_EQ(r->checkButton->ambientColor, (Color{0, 1, 0, 1}));
        EXPECT_FLOAT_EQ(r->checkButton->localMatrix.getBase().x, 1.66f);
        EXPECT_FLOAT_EQ(r->checkButton->localMatrix.getX().x, 0.25f);

        // The first trial is set up: showing, all together, at stage 0.
        EXPECT_EQ(r->stage, 0);
        EXPECT_EQ(r->phase, Runes::Phase::SHOWING);
        EXPECT_EQ(r->cursor, 0);
        for (int f : r->failures) EXPECT_EQ(f, 0);
        EXPECT_TRUE(g.rune(0)->showTimer->running);
    }
}

TEST(RunesDisplayTest, ARuneHoldsItsPiecesInOrder) {
    RunesGame g(1);
    Rune* rune = g.rune(0);
    ASSERT_EQ(rune->children.size(), 7);
    EXPECT_EQ(rune->children.get(0), rune->symbol);
    EXPECT_EQ(rune->children.get(1), rune->mask);
    EXPECT_EQ(rune->children.get(2), rune->border);
    EXPECT_EQ(rune->children.get(3), rune->point);
    EXPECT_EQ(rune->children.get(4), rune->showTimer);
    EXPECT_EQ(rune->children.get(5), rune->spinTimer);
    EXPECT_EQ(rune->children.get(6), rune->pulseTimer);
    EXPECT_EQ(rune->symbol->layerMask, 1u);
    EXPECT_FALSE(rune->symbol->depthTest);
    EXPECT_EQ(rune->mask->layerMask, 4u);
    EXPECT_EQ(rune->mask->materialResource, Resources::TEXTURED_ALPHA_GT_0_5_MATERIAL);
    EXPECT_EQ(rune->border->layerMask, 8u);
    EXPECT_FLOAT_EQ(rune->border->localMatrix.getBase().z, -0.1f);
    EXPECT_EQ(rune->point->layerMask, 2u);
    EXPECT_FALSE(rune->point->visible);
    EXPECT_EQ(rune->answer, -1);
    EXPECT_TRUE(rune->spinTimer->loop);
    EXPECT_TRUE(rune->pulseTimer->loop);
    EXPECT_EQ(rune->showTimer->timeoutEvent, std::string("phase1"));
}

TEST(RunesDisplayTest, ARuneDrawsItsBorderShiftAndThenItsSpinStart) {
    RunesGame g(1);
    for (unsigned seed : {3u, 11u, 29u}) {
        srand(seed);
        int shift = rand() % 100;
        int spin = rand() % 400;
        srand(seed);
        Rune rune(0, 0, 0);
        // The first corner's v is 1 before the shift.
        EXPECT_NEAR(rune.border->mesh->texcoords->at(0).y, 1 - shift / 100.0f, 1e-5) << seed;
        EXPECT_NEAR(rune.border->mesh->texcoords->at(3).y, 0 - shift / 100.0f, 1e-5) << seed;
        EXPECT_NEAR(rune.spinTimer->time, spin / 100.0f, 1e-5) << seed;
        EXPECT_TRUE(rune.spinTimer->running);
    }
}

TEST(RunesDisplayTest, EachStageShowsTheRunesItsWay) {
    RunesGame g(3);
    Runes* r = g.runes;
    std::vector<float> together;
    for (const Keyframe& key : Rune::SHOWING_ALL_TOGETHER.keys) together.push_back(key.time);
    for (int stage = 0; stage < 7; stage++) {
        SCOPED_TRACE("stage " + std::to_string(stage));
        r->stage = stage;
        r->send(Events::NEW_TRIAL);
        EXPECT_EQ(r->phase, Runes::Phase::SHOWING);
        std::vector<int> slots;
        for (int i = 0; i < 8; i++) {
            std::vector<float> points = pointsOf(g.rune(i)->showTimer);
            EXPECT_TRUE(g.rune(i)->showTimer->running);
            EXPECT_EQ(g.rune(i)->showTimer->time, 0.0f);
            if (stage == 2 || stage == 5 || stage == 6) {
                // One slot of 0.75 s each; by index, or in a random order.
                float slot = points[1] / 0.75f;
                slots.push_back(static_cast<int>(slot + 0.5f));
                if (stage != 6) {
                    EXPECT_FLOAT_EQ(points[1], 0.75f * i);
                }
            } else {
                EXPECT_EQ(points, together);
            }
        }
        if (stage == 6) {
            std::sort(slots.begin(), slots.end());
            for (int k = 0; k < 8; k++) EXPECT_EQ(slots[static_cast<size_t>(k)], k);
        }
        // The types follow the level's table for the stage.
        std::vector<int> types;
        for (int i = 0; i < 8; i++) types.push_back(g.rune(i)->type);
        TypeDraw draw = Runes::typeDrawAt(3, stage);
        for (int v = 1; v < 4; v++) {
            int expected = std::min(draw.perKind, 8 - (v - 1) * draw.perKind);
            EXPECT_EQ(std::count(types.begin(), types.end(), v), std::max(expected, 0)) << "type " << v;
        }
    }
}

TEST(RunesDisplayTest, RunesSpinAtStagesOneAndFourAndStandUprightWhenAnsweringStarts) {
    for (int stage : {0, 1, 4}) {
        SCOPED_TRACE("stage " + std::to_string(stage));
        RunesGame g(3);
        g.runes->stage = stage;
        g.runes->send(Events::NEW_TRIAL);
        g.run(3);
        // A turned rune's x axis leaves the x direction (each rune at its own angle; one at
        // exactly 0 degrees is possible, all eight are not).
        int turned = 0;
        for (int i = 0; i < 8; i++) {
            Vector3 axis = g.rune(i)->localMatrix.getX();
            EXPECT_NEAR(std::sqrt(axis.x * axis.x + axis.y * axis.y), 0.45f, 1e-4);
            if (std::fabs(axis.y) > 1e-3f) turned++;
        }
        bool spinning = stage != 0;
        EXPECT_EQ(turned > 0, spinning);
        g.untilAnswering();
        for (int i = 0; i < 8; i++) {
            Vector3 axis = g.rune(i)->localMatrix.getX();
            EXPECT_FLOAT_EQ(axis.x, 0.45f);
            EXPECT_FLOAT_EQ(axis.y, 0);
        }
    }
}

TEST(RunesDisplayTest, RunesFadeInAndOutWhileShowingAndTheBarComesUpAfterSevenSeconds) {
    RunesGame g(1);
    Rune* rune = g.rune(0);
    g.run(0.5f);
    EXPECT_NEAR(rune->symbol->ambientColor.a, 0.5f - 0.25f, 0.01f);  // one frame behind
    g.run(3);
    EXPECT_EQ(rune->symbol->ambientColor, (Color{1, 1, 0, 1}));
    EXPECT_EQ(rune->border->ambientColor, (Color{1, 1, 1, 1}));
    EXPECT_NEAR(g.runes->bar->localMatrix.getBase().y, -1.8f, 1e-5);
    g.run(3.25f);
    EXPECT_EQ(g.runes->phase, Runes::Phase::SHOWING);
    EXPECT_FALSE(rune->point->visible);
    g.run(0.5f);
    EXPECT_EQ(g.runes->phase, Runes::Phase::ANSWERING);
    EXPECT_TRUE(rune->point->visible);
    EXPECT_NEAR(rune->symbol->ambientColor.a, 0, 1e-5);
    g.run(1.25f);
    EXPECT_NEAR(g.runes->bar->localMatrix.getBase().y, -1.2f, 1e-5);
    // The point has grown to the rune's size.
    EXPECT_FLOAT_EQ(rune->point->localMatrix.getX().x, 1);
}

TEST(RunesDisplayTest, ATypeIsTakenOnlyWhileAnsweringAndOnlyByTheRuneAtTheCursor) {
    RunesGame g(2);
    Runes* r = g.runes;
    // While showing: the cursor moves on, no rune takes the type.
    g.raiseBar();
    g.clickOn(r->typeButtons[2]);
    g.clickOn(r->typeButtons[3]);
    EXPECT_EQ(r->cursor, 2);
    for (int i = 0; i < 6; i++) EXPECT_EQ(g.rune(i)->answer, -1);

    // Answering starts with the cursor at 0.
    g.untilAnswering();
    EXPECT_EQ(r->cursor, 0);
    g.clickOn(r->typeButtons[2]);
    EXPECT_EQ(g.rune(0)->answer, 2);
    EXPECT_EQ(g.rune(0)->symbol->textureResource->name, std::string("rune3.png"));
    EXPECT_EQ(g.rune(0)->mask->textureResource->name, std::string("rune3mask.png"));
    EXPECT_EQ(g.rune(0)->symbol->ambientColor, (Color{1, 1, 0, 1}));
    EXPECT_EQ(g.rune(0)->border->ambientColor, (Color{1, 1, 1, 1}));
    for (int i = 1; i < 6; i++) EXPECT_EQ(g.rune(i)->answer, -1) << i;
    EXPECT_EQ(r->cursor, 1);

    // Clicking a rune selects it without giving it anything; the next button gives to it.
    g.clickOn(g.rune(4));
    EXPECT_EQ(r->cursor, 4);
    EXPECT_EQ(g.rune(4)->answer, -1);
    g.clickOn(r->typeButtons[1]);
    EXPECT_EQ(g.rune(4)->answer, 1);
    EXPECT_EQ(r->cursor, 5);
    // The cursor wraps after the last rune.
    g.clickOn(r->typeButtons[0]);
    EXPECT_EQ(g.rune(5)->answer, 0);
    EXPECT_EQ(r->cursor, 0);

    // A "setType" reaches every rune, but only the one at the cursor takes it.
    int type = 3;
    r->runeScene->sendBroadcast(Events::SET_TYPE, r, &type);
    EXPECT_EQ(g.rune(0)->answer, 3);
    EXPECT_EQ(g.rune(1)->answer, -1);

    // While the bar goes down: the cursor moves on, no rune takes the type.
    g.clickOn(r->checkButton);
    ASSERT_EQ(r->phase, Runes::Phase::CLOSING);
    g.frame(0.1f);
    g.clickOn(r->typeButtons[2]);
    EXPECT_EQ(r->cursor, 1);
    EXPECT_EQ(g.rune(0)->answer, 3);
    for (int i = 1; i < 4; i++) EXPECT_EQ(g.rune(i)->answer, -1) << i;
}

TEST(RunesDisplayTest, ThePulseFollowsTheCursor) {
    RunesGame g(1);
    g.untilAnswering();
    g.clickOn(g.rune(2));
    // The others keep 0.8; the selected one flickers between 0.7 and 1.
    std::vector<float> seen;
    for (int i = 0; i < 10; i++) {
        g.frame(0.013f);
        seen.push_back(g.rune(2)->point->ambientColor.a);
        EXPECT_FLOAT_EQ(g.rune(1)->point->ambientColor.a, 0.8f);
    }
    auto [low, high] = std::minmax_element(seen.begin(), seen.end());
    EXPECT_GE(*low, 0.7f - 1e-5f);
    EXPECT_LE(*high, 1 + 1e-5f);
    EXPECT_GT(*high - *low, 0.1f);
}

TEST(RunesDisplayTest, ARightAnswerLeadsToTheNextStageAndAWrongOneRepeatsTheStage) {
    RunesGame g(1);
    Runes* r = g.runes;
    g.untilAnswering();
    g.answerRight();
    g.clickOn(r->checkButton);
    EXPECT_EQ(r->stage, 1);
    EXPECT_EQ(r->phase, Runes::Phase::CLOSING);
    ASSERT_EQ(marks(r), 1);
    EXPECT_TRUE(mark(r, 0)->success);
    EXPECT_FLOAT_EQ(mark(r, 0)->position.x, -1.05f);
    EXPECT_FLOAT_EQ(mark(r, 0)->position.y, 0);

    // The bar goes down, the runes fade; then the next trial shows.
    g.run(0.5f);
    // The bar is drawn a frame behind its timer, the runes fade with it.
    EXPECT_NEAR(r->bar->localMatrix.getBase().y, -1.35f, 1e-5);
    EXPECT_NEAR(g.rune(0)->symbol->ambientColor.a, 0.5f, 1e-5);
    g.run(0.75f);
    EXPECT_EQ(r->phase, Runes::Phase::SHOWING);
    EXPECT_EQ(r->stage, 1);

    // Stage 1, answered wrong: a red mark in the second column, and stage 1 again.
    g.untilAnswering();
    int wrong = (g.rune(0)->type + 1) % 4;
    g.clickOn(r->typeButtons[wrong]);
    g.clickOn(r->checkButton);
    EXPECT_EQ(r->stage, 1);
    EXPECT_EQ(r->failures[1], 1);
    ASSERT_EQ(marks(r), 2);
    EXPECT_FALSE(mark(r, 1)->success);
    EXPECT_FLOAT_EQ(mark(r, 1)->position.x, -0.75f);
    g.run(1.25f);
    EXPECT_EQ(r->phase, Runes::Phase::SHOWING);
    EXPECT_EQ(r->stage, 1);
}

TEST(RunesDisplayTest, ACheckWhileShowingIsJudgedAtOnce) {
    RunesGame g(1);
    Runes* r = g.runes;
    g.run(2);
    // No rune has an answer at the first trial: wrong.
    g.raiseBar();
    g.clickOn(r->checkButton);
    EXPECT_EQ(r->phase, Runes::Phase::CLOSING);
    EXPECT_EQ(r->failures[0], 1);
    ASSERT_EQ(marks(r), 1);
    EXPECT_FALSE(mark(r, 0)->success);
    EXPECT_TRUE(r->barDownTimer->running);
}

TEST(RunesDisplayTest, AnAnswerKeptFromAnEarlierTrialCountsWithoutBeingGivenAgain) {
    RunesGame g(1);
    Runes* r = g.runes;
    // Answers left from an earlier trial that match this trial's types.
    for (int i = 0; i < 4; i++) g.rune(i)->answer = g.rune(i)->type;
    g.untilAnswering();
    g.clickOn(r->checkButton);
    EXPECT_EQ(r->stage, 1);
    EXPECT_TRUE(mark(r, 0)->success);
}

TEST(RunesDisplayTest, ASecondCheckWhileTheBarGoesDownPlacesASecondMark) {
    RunesGame g(1);
    Runes* r = g.runes;
    g.untilAnswering();
    g.clickOn(r->checkButton);
    g.run(0.5f);
    g.clickOn(r->checkButton);
    EXPECT_EQ(r->failures[0], 2);
    ASSERT_EQ(marks(r), 2);
    EXPECT_FLOAT_EQ(mark(r, 0)->position.y, 0);
    EXPECT_FLOAT_EQ(mark(r, 1)->position.y, -0.3f);
    EXPECT_FLOAT_EQ(mark(r, 1)->position.x, -1.05f);
    // The bar starts down again, so the trial closes a second after the second press.
    g.run(0.75f);
    EXPECT_EQ(r->phase, Runes::Phase::CLOSING);
    g.run(0.5f);
    EXPECT_EQ(r->phase, Runes::Phase::SHOWING);
}

TEST(RunesDisplayTest, MarksFadeInAndAGreenOneShrinksIntoPlace) {
    RunesGame g(1);
    Runes* r = g.runes;
    for (int i = 0; i < 4; i++) g.rune(i)->answer = g.rune(i)->type;
    g.raiseBar();
    g.clickOn(r->checkButton);
    g.clickOn(r->checkButton);  // stage 1 now, judged against stage 0's answers: right again
    ASSERT_EQ(marks(r), 2);
    Result* green = mark(r, 1);
    EXPECT_FLOAT_EQ(green->position.x, -0.75f);
    EXPECT_EQ(green->ambientColor, (Color{0, 1, 0, 0}));
    EXPECT_STREQ(green->textureResource->name, "successIcon.png");
    g.frame(0);
    EXPECT_FLOAT_EQ(green->localMatrix.getX().x, 0.5f);
    g.frame(0.25f);
    g.frame(0);
    EXPECT_NEAR(green->ambientColor.a, 0.5f, 1e-5);
    EXPECT_NEAR(green->localMatrix.getX().x, 0.3125f, 1e-5);
    g.frame(0.3f);
    g.frame(0);
    EXPECT_NEAR(green->ambientColor.a, 1, 1e-5);
    EXPECT_NEAR(green->localMatrix.getX().x, 0.125f, 1e-5);

    Result red(0, 0, false);
    EXPECT_EQ(red.ambientColor, (Color{1, 0, 0, 0}));
    EXPECT_STREQ(red.textureResource->name, "failIcon.png");
    EXPECT_FLOAT_EQ(red.localMatrix.getX().x, 0.125f);
}

// Stage 6 answered right: stage 7 while the bar goes down.
void winLastStage(RunesGame& g) {
    Runes* r = g.runes;
    r->stage = 6;
    r->send(Events::NEW_TRIAL);
    g.untilAnswering();
    g.answerRight();
    g.clickOn(r->checkButton);
    ASSERT_EQ(r->stage, 7);
}

TEST(RunesDisplayTest, ACheckWhileTheLastStageClosesChangesNothing) {
    RunesGame g(1);
    Runes* r = g.runes;
    winLastStage(g);
    g.run(0.25f);
    float barTime = r->barDownTimer->time;
    int before = marks(r);
    g.clickOn(r->checkButton);
    EXPECT_EQ(r->stage, 7);
    EXPECT_EQ(marks(r), before);
    for (int f : r->failures) EXPECT_EQ(f, 0);
    EXPECT_EQ(r->barDownTimer->time, barTime);
    EXPECT_EQ(r->phase, Runes::Phase::CLOSING);
    // The trial closes once, and the display waits for a click.
    g.run(1);
    EXPECT_EQ(r->stage, 8);
    EXPECT_EQ(r->phase, Runes::Phase::CLOSING);
    g.run(8);
    EXPECT_EQ(r->stage, 8);
    EXPECT_EQ(r->phase, Runes::Phase::CLOSING);
}

TEST(RunesDisplayTest, AfterTheLastStageAClickAnywhereInTheViewStartsOver) {
    RunesGame g(1);
    Runes* r = g.runes;
    r->failures[2] = 3;
    winLastStage(g);
    g.run(1.25f);
    ASSERT_EQ(r->stage, 8);
    ASSERT_GT(marks(r), 0);

    // Below the letter box (the viewport is 479 rows high in a 480-row window): nothing.
    g.click(Vector2(0.5f, 479.5f / 480.0f));
    EXPECT_EQ(r->stage, 8);
    EXPECT_GT(marks(r), 0);

    // A click on nothing in the view starts over at stage 0 with a new trial.
    g.click(Vector2(0.02f, 0.02f));
    EXPECT_EQ(r->stage, 0);
    EXPECT_EQ(marks(r), 0);
    for (int f : r->failures) EXPECT_EQ(f, 0);
    EXPECT_EQ(r->phase, Runes::Phase::SHOWING);
    EXPECT_TRUE(g.rune(0)->showTimer->running);
    EXPECT_EQ(g.rune(0)->showTimer->time, 0.0f);
}

TEST(RunesDisplayTest, TheBorderScrollsByOneHeightEveryFiveSeconds) {
    RunesGame g(1);
    Rune* rune = g.rune(0);
    List<Vector2>& uvs = *rune->border->mesh->texcoords;
    float first = uvs.at(0).y;
    g.frame(0.5f);
    EXPECT_NEAR(uvs.at(0).y, first - 0.1f, 1e-5);
    EXPECT_NEAR(uvs.at(3).y, first - 1.1f, 1e-5);
    // Past -1 the whole picture moves up by one height, which looks the same.
    g.run(10, 0.5f);
    EXPECT_GE(uvs.at(0).y, -1 - 1e-5f);
    EXPECT_NEAR(uvs.at(0).y - uvs.at(3).y, 1, 1e-5);
}

TEST(RunesDisplayTest, LeavingAndComingBackResumesTheTrial) {
    RunesGame g(1);
    Runes* r = g.runes;
    g.untilAnswering();
    g.clickOn(r->typeButtons[1]);
    // What a fade to another display and back does to a display's objects.
    r->sendBroadcast("releaseResources");
    r->sendBroadcast("createResources");
    g.run(0.5f);
    EXPECT_EQ(r->phase, Runes::Phase::ANSWERING);
    EXPECT_EQ(r->cursor, 1);
    EXPECT_EQ(g.rune(0)->answer, 1);
}

}  // namespace
