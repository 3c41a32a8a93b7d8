#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/InstanceChannel.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

using Kind = InstanceRequest::Kind;
using Lines = std::vector<std::string>;

TEST(InstanceRequest, OnlyTheKnownRequestsParse) {
    EXPECT_EQ(ParseInstanceRequest("restore").kind, Kind::Restore);
    EXPECT_EQ(ParseInstanceRequest("started").kind, Kind::Started);
    for (int stage = 0; stage <= 7; ++stage) {
        const auto request = ParseInstanceRequest("demo-stage " + std::to_string(stage));
        EXPECT_EQ(request.kind, Kind::DemoStage);
        EXPECT_EQ(request.stage, stage);
    }
    for (const char* junk : {"", "demo-stage", "demo-stage ", "demo-stage x", "demo-stage 8", "demo-stage -1",
                             "demo-stage 07", "demo-stage 3 ", "demo-stage  3", "Restore", " restore", "restore now",
                             "demo-stage 9", "Started", "started ", "start"})
        EXPECT_EQ(ParseInstanceRequest(junk).kind, Kind::Invalid) << '"' << junk << '"';
}

bool Readable(int fd) {
    pollfd watch{fd, POLLIN, 0};
    return ::poll(&watch, 1, 0) == 1;
}

// A client that writes raw bytes and decides when to close.
class RawClient {
public:
    explicit RawClient(const std::string& path) {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~RawClient() { Close(); }
    bool connected() const { return connected_; }
    void Write(const std::string& bytes) { ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
    bool connected_ = false;
};

class InstanceChannelTest : public ::testing::Test {
protected:
    std::string Send(const std::string& request) {
        std::string error;
        return SendInstanceRequest(path, request, error) ? "sent" : error;
    }
    test::TempDir folder;
    std::string path = folder / kInstanceSocketName;
};

TEST_F(InstanceChannelTest, RequestsArriveInOrderAndWakeTheNotifier) {
    InstanceServer server;
    ASSERT_TRUE(server.Listen(path)) << server.error();
    EXPECT_FALSE(Readable(server.fd()));
    EXPECT_TRUE(server.TakeRequests().empty());

    EXPECT_EQ(Send("restore"), "sent");
    EXPECT_EQ(Send("demo-stage 3"), "sent");
    EXPECT_TRUE(Readable(server.fd()));
    EXPECT_EQ(server.TakeRequests(), (Lines{"restore", "demo-stage 3"}));
    EXPECT_FALSE(Readable(server.fd()));
    EXPECT_TRUE(server.TakeRequests().empty());

    // As many senders at once as the queue holds.
    for (int i = 0; i < 16; ++i) ASSERT_EQ(Send("demo-stage " + std::to_string(i % 8)), "sent");
    EXPECT_EQ(server.TakeRequests().size(), 16u);

    server.Close();
    EXPECT_EQ(::access(path.c_str(), F_OK), -1);
    EXPECT_EQ(server.fd(), -1);
    EXPECT_TRUE(server.TakeRequests().empty());
}

TEST_F(InstanceChannelTest, NobodyListeningIsAClearError) {
    const std::string error = Send("restore");
    EXPECT_NE(error.find("no running copy"), std::string::npos) << error;

    // A copy that ended without removing its socket.
    {
        InstanceServer ended;
        ASSERT_TRUE(ended.Listen(path));
        ASSERT_EQ(::link(path.c_str(), (folder / "kept").c_str()), 0);
    }
    ASSERT_EQ(::rename((folder / "kept").c_str(), path.c_str()), 0);
    EXPECT_NE(Send("restore").find("no running copy"), std::string::npos);

    EXPECT_NE(Send("restore\nrestore"), "sent");
    EXPECT_NE(Send(std::string(257, 'a')), "sent");
    EXPECT_NE(Send(""), "sent");
    std::string tooLong;
    EXPECT_FALSE(SendInstanceRequest("/tmp/" + std::string(120, 'x'), "restore", tooLong));
    EXPECT_NE(tooLong.find("too long"), std::string::npos);
}

TEST_F(InstanceChannelTest, AStaleSocketIsReplacedButALiveOneOrAFileIsNot) {
    {
        InstanceServer ended;
        ASSERT_TRUE(ended.Listen(path));
        ASSERT_EQ(::link(path.c_str(), (folder / "kept").c_str()), 0);
    }
    ASSERT_EQ(::rename((folder / "kept").c_str(), path.c_str()), 0);

    InstanceServer running;
    ASSERT_TRUE(running.Listen(path)) << running.error();
    InstanceServer second;
    EXPECT_FALSE(second.Listen(path));
    EXPECT_NE(second.error().find("another program listens"), std::string::npos) << second.error();
    EXPECT_EQ(Send("restore"), "sent");
    EXPECT_EQ(running.TakeRequests(), Lines{"restore"});

    // A copy that closes after its socket file was replaced leaves the new one.
    ASSERT_EQ(::unlink(path.c_str()), 0);
    InstanceServer newer;
    ASSERT_TRUE(newer.Listen(path));
    running.Close();
    EXPECT_EQ(Send("restore"), "sent");
    EXPECT_EQ(newer.TakeRequests(), Lines{"restore"});
    newer.Close();

    const int file = ::open(path.c_str(), O_CREAT | O_WRONLY, 0600);
    ::close(file);
    EXPECT_FALSE(second.Listen(path));
    EXPECT_EQ(::access(path.c_str(), F_OK), 0);
    EXPECT_FALSE(second.Listen(folder / std::string(120, 'x')));
    EXPECT_FALSE(second.Listen(""));
}

TEST_F(InstanceChannelTest, JunkAndSlowSendersAreHandledWithoutWaiting) {
    InstanceServer server;
    ASSERT_TRUE(server.Listen(path));

    RawClient silent(path), split(path), unterminated(path), junk(path), flood(path), crlf(path);
    for (auto* client : {&silent, &split, &unterminated, &junk, &flood, &crlf}) ASSERT_TRUE(client->connected());
    split.Write("rest");
    unterminated.Write("demo-stage 5");
    unterminated.Close();
    junk.Write("hello\n");
    flood.Write(std::string(1000, 'r'));
    crlf.Write("restore\r\n");
    EXPECT_EQ(server.TakeRequests(), (Lines{"demo-stage 5", "restore"}));

    // A request in two pieces comes with the call after its second piece.
    split.Write("ore\n");
    EXPECT_TRUE(Readable(server.fd()));
    EXPECT_EQ(server.TakeRequests(), Lines{"restore"});
    EXPECT_TRUE(server.TakeRequests().empty());

    // Lines at and past the longest size do no harm.
    RawClient longest(path), longer(path);
    longest.Write(std::string(256, 'x') + "\n");
    longer.Write(std::string(257, 'x') + "\nrestore\n");
    EXPECT_TRUE(server.TakeRequests().empty());
    EXPECT_EQ(Send("restore"), "sent");
    EXPECT_EQ(server.TakeRequests(), Lines{"restore"});
}

} // namespace
} // namespace qv530
