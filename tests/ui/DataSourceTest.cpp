#include <memory>
#include <stdexcept>
#include <string>

#include "BoundFixture.h"
#include "store/StoreError.h"
#include "ui/data/DBEdit.h"
#include "ui/data/DataLink.h"

using store::DataSetState;

namespace {

// Writes down every call, and fails its UpdateData while `failWith` is set.
class RecordingLink : public ui::DataLink {
 public:
  void ActiveChanged() override { calls += "A"; }
  void DataSetChanged() override { calls += "D"; }
  void RecordChanged() override { calls += "R"; }
  void StateChanged() override { calls += "S"; }
  void UpdateData() override {
    calls += "U";
    if (!failWith.empty()) throw std::runtime_error(failWith);
  }
  void DataSourceDestroyed() override { calls += "X"; }

  std::string calls;
  std::string failWith;
};

class DataSourceTest : public BoundFixture {
 protected:
  void SetUp() override {
    BoundFixture::SetUp();
    source.AddLink(&link);
  }
  void TearDown() override {
    source.RemoveLink(&link);
    BoundFixture::TearDown();
  }
  std::string Take() { return std::exchange(link.calls, ""); }

  RecordingLink link;
};

TEST_F(DataSourceTest, SetEventsReachTheLinksAsCalls) {
  query.Next();
  EXPECT_EQ(Take(), "R");
  query.Edit();
  EXPECT_EQ(Take(), "S");
  query.FieldByName("cust_name").SetAsString("改");
  EXPECT_EQ(Take(), "R");
  query.Post();
  EXPECT_EQ(Take().substr(0, 1), "U") << "controls write before the post";
  query.Append();
  EXPECT_EQ(Take(), "DS");
  query.Close();
  EXPECT_EQ(Take(), "A");
  query.Open();
  EXPECT_EQ(Take(), "A");
}

TEST_F(DataSourceTest, AWriteErrorReachesThePostAndEveryLinkIsAsked) {
  RecordingLink second;
  source.AddLink(&second);
  query.Edit();
  query.FieldByName("cust_name").SetAsString("改");
  link.failWith = "'x' is not a valid date";
  EXPECT_THROW(query.Post(), std::runtime_error);
  EXPECT_EQ(query.State(), DataSetState::Edit);
  EXPECT_NE(second.calls.find('U'), std::string::npos);
  source.RemoveLink(&second);
}

TEST_F(DataSourceTest, AutomaticEditOnlyWhereTheSetAllowsIt) {
  EXPECT_TRUE(source.BeginUserEdit());
  EXPECT_EQ(query.State(), DataSetState::Edit);
  EXPECT_TRUE(source.BeginUserEdit()) << "already editing";
  query.Cancel();

  source.SetAutoEdit(false);
  EXPECT_FALSE(source.BeginUserEdit());
  EXPECT_EQ(query.State(), DataSetState::Browse);
  source.SetAutoEdit(true);

  query.Close();
  EXPECT_FALSE(source.BeginUserEdit());
  ui::DataSource unbound;
  EXPECT_FALSE(unbound.BeginUserEdit());
}

TEST_F(DataSourceTest, UpdateRecordOfLetsControlsWriteWithoutPosting) {
  ui::DBEdit edit;
  edit.SetDataField("cust_name");
  edit.SetDataSource(&source);
  edit.SetText("改名");
  EXPECT_FALSE(query.Modified());
  ui::DataSource::UpdateRecordOf(&query);
  EXPECT_TRUE(query.Modified());
  EXPECT_EQ(query.State(), DataSetState::Edit);
  EXPECT_EQ(Stored("cust_name", "S001"), "宏達電子");
}

TEST_F(DataSourceTest, SetDestroyedBeforeItsSource) {
  auto other = std::make_unique<store::QueryRecordSet>(connection, "Other");
  other->SQL().Add("select * from customer");
  other->Open();
  auto edit = std::make_unique<ui::DBEdit>();
  {
    ui::DataSource otherSource(nullptr, other.get());
    edit->SetDataField("cust_name");
    edit->SetDataSource(&otherSource);
    EXPECT_EQ(edit->text(), "宏達電子");
    other.reset();
    EXPECT_EQ(otherSource.DataSet(), nullptr);
    EXPECT_FALSE(otherSource.BeginUserEdit());
  }  // the source goes next, then the box: neither may touch what is gone
  EXPECT_EQ(edit->GetDataSource(), nullptr);
  edit->SetText("x");
  edit.reset();
}

TEST_F(DataSourceTest, SourceDestroyedBeforeItsControls) {
  auto doomed = std::make_unique<ui::DataSource>(nullptr, &query);
  RecordingLink orphan;
  doomed->AddLink(&orphan);
  ui::DBEdit edit;
  edit.SetDataField("cust_name");
  edit.SetDataSource(doomed.get());
  doomed.reset();
  EXPECT_EQ(orphan.calls.back(), 'X');
  EXPECT_EQ(edit.GetDataSource(), nullptr);
  query.Next();  // the set's listener is gone with the source
  EXPECT_EQ(edit.text(), "宏達電子");
}

TEST_F(DataSourceTest, LinkRemovedDuringDispatchIsNotCalled) {
  RecordingLink late;
  struct Remover : ui::DataLink {
    ui::DataSource* source;
    ui::DataLink* victim;
    void RecordChanged() override { source->RemoveLink(victim); }
  } remover;
  remover.source = &source;
  remover.victim = &late;
  source.RemoveLink(&link);
  source.AddLink(&remover);
  source.AddLink(&late);
  query.Next();
  EXPECT_EQ(late.calls, "");
  source.RemoveLink(&remover);
}

}  // namespace
