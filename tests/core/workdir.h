#pragma once
// A fresh temporary working directory for each test, so the program's relative paths land there.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

class WorkDir : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_old = std::filesystem::current_path();
        std::string tmpl = (std::filesystem::temp_directory_path() / "zorbon-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        m_dir = tmpl;
        std::filesystem::current_path(m_dir);
    }
    void TearDown() override
    {
        std::filesystem::current_path(m_old);
        std::error_code ec;
        std::filesystem::permissions(m_dir, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(m_dir, ec);
    }
    const std::filesystem::path& dir() const { return m_dir; }

private:
    std::filesystem::path m_old;
    std::filesystem::path m_dir;
};
