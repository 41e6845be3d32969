#pragma once

// Where users reach the authors: the about box and the Help menu both offer
// these, so they are kept in one place.
namespace zelmora::links {

inline constexpr char kSiteUrl[] = "https://zelmora.example/";
inline constexpr char kSiteCaption[] = "zelmora.example";
inline constexpr char kMailAddress[] = "team@zelmora.example";
inline constexpr char kMailUrl[] = "mailto:team@zelmora.example";
inline constexpr char kForumUrl[] = "https://zelmora.example/forum";

}  // namespace zelmora::links
