#include "plateforme/UrlFichier.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace veltrane::essai {

TEST(UrlFichier, CheminsAbsolusCodes) {
    EXPECT_EQ(urlFichier("/photos/a.jpg"), "file:///photos/a.jpg");
    EXPECT_EQ(urlFichier("/photos/../Mes photos/./L\xE9on & Marie#1?.jpg"),
              "file:///Mes%20photos/L%E9on%20%26%20Marie%231%3F.jpg");
    EXPECT_EQ(urlFichier("/a/\"<b>\"%'~_-.jpg"), "file:///a/%22%3Cb%3E%22%25%27~_-.jpg");
    EXPECT_EQ(urlFichier("/\xC3\xA9"), "file:///%C3%A9");
}

TEST(UrlFichier, CheminRelatifCompleteParLeRepertoireCourant) {
    std::string courant = std::filesystem::current_path().string();
    std::optional<std::string> url = urlFichier("sous/../photo.jpg");
    ASSERT_TRUE(url.has_value());
    EXPECT_TRUE(url->starts_with("file:///"));
    EXPECT_TRUE(url->ends_with("/photo.jpg")) << *url;
    EXPECT_EQ(url->find("/sous"), std::string::npos);
    EXPECT_EQ(url->find(".."), std::string::npos);
}

TEST(UrlFichier, CheminsSansUrl) {
    EXPECT_FALSE(urlFichier("").has_value());
    EXPECT_FALSE(urlFichier(std::string("/a\0b.jpg", 8)).has_value());
}

} // namespace veltrane::essai
