#pragma once
// A program folder of its own, with the main window and the two
// configuration dialogs made and wired as start-up makes them.

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/UNew_Project.h"
#include "core/UOpenConf.h"
#include "core/UQuillmereFirmWare.h"
#include "platform/Files.h"
#include "platform/Seams.h"
#include "tests/common/TestUtil.h"

#include <QDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

class ConfigStoreFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Reset_Program_State();
        Load_Default_Texts();
        Software_Code = Built_In_Software_Code;
        Program_Path = Dir.Path();
        Main = std::make_unique<TFQuillmereFirmWare>(nullptr);
        FQuillmereFirmWare = Main.get();
        NewProject = std::make_unique<TFNew_Project>(nullptr);
        FNew_Project = NewProject.get();
        OpenConf = std::make_unique<TFOpenConf>(nullptr);
        FOpenConf = OpenConf.get();
        Main->Set_Program_Folders();
    }

    void TearDown() override
    {
        FOpenConf = nullptr;
        FNew_Project = nullptr;
        FQuillmereFirmWare = nullptr;
        OpenConf.reset();
        NewProject.reset();
        Main.reset();
        Reset_Program_State();
    }

    String Projects() const { return Dir.File(QStringLiteral("PROJECTS")); }
    String Configuration(const String& name) const { return PathJoin(Projects(), name); }
    void Make_Configuration(const String& name) const { ASSERT_TRUE(QDir().mkpath(Configuration(name))); }
    // What PROJECTS holds, sorted, so a test sees whatever a failed step left behind.
    std::vector<String> Projects_Entries() const
    {
        std::vector<String> names;
        for (const QString& n : QDir(Projects()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            names.push_back(n);
        std::sort(names.begin(), names.end());
        return names;
    }
    String Label_Top() const { return Main->L_Name_Conf->Caption(); }
    String Label_Bottom() const { return Main->L_Name_Conf_L2->Caption(); }

    TTestSeams Seams;   // first made, last gone: every window below goes through it
    TempFolder Dir;
    std::unique_ptr<TFQuillmereFirmWare> Main;
    std::unique_ptr<TFNew_Project> NewProject;
    std::unique_ptr<TFOpenConf> OpenConf;
};
