#include "support/test_world.h"

namespace {
TForm1& MakeForm1(TestWorld& w, std::optional<TForm1>& storage) {
  storage.emplace(w.app, w.services);
  w.poster.SetTarget(&*storage);
  storage->FormCreate();
  return *storage;
}
TForm2& MakeForm2(TestWorld& w, std::optional<TForm2>& storage) {
  storage.emplace(w.app, w.dialogs);
  storage->FormCreate();
  return *storage;
}
}  // namespace

TestWorld::TestWorld(std::optional<os::OsVersion> version)
    : versionQuery([&] {
        FixedVersion v;
        v.version = version;
        return v;
      }()),
      form1(MakeForm1(*this, form1Storage)),
      form2(MakeForm2(*this, form2Storage)) {}

TestWorld::~TestWorld() {
  EXPECT_TRUE(dialogs.Drained()) << "a scripted answer was never asked for";
}
