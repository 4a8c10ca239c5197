// The broker's configuration and the LAN senders a display takes datagrams from.

#include <gtest/gtest.h>

#include "config/broker_config.hpp"
#include "config/lan_senders.hpp"
#include "fakes/temp_folder.hpp"

namespace eew::test {
namespace {

SenderAddress address(const char* text) {
    return *parse_sender_address(text);
}

TEST(BrokerConfig, ReadsAddressTopicAndLoginAndNamesEachLineItCannotUse) {
    const std::pair<const char*, std::optional<BrokerAddress>> urls[] = {
        {"mqtt://broker.lan", BrokerAddress{false, "broker.lan", 1883}},
        {"mqtts://broker.lan/", BrokerAddress{true, "broker.lan", 8883}},
        {"mqtts://[fd00::5]:9883", BrokerAddress{true, "fd00::5", 9883}},
        {"http://broker.lan", std::nullopt},
        {"mqtt://user:pw@broker.lan", std::nullopt},
        {"mqtt://broker.lan/eew", std::nullopt},
        {"mqtt://broker.lan:0", std::nullopt},
        {"mqtt://", std::nullopt}};
    for (const auto& [url, expected] : urls)
        EXPECT_EQ(parse_broker_url(url), expected) << url;
    EXPECT_EQ(BrokerAddress({true, "fd00::5", 9883}).text(), "mqtts://[fd00::5]:9883");

    TempFolder data;
    EXPECT_FALSE(read_broker_config(data.path() + "/").broker);
    EXPECT_TRUE(read_broker_config(data.path() + "/").faults.empty());

    data.write("login", "display\r\nsecret\r\n");
    data.write("broker.conf",
               "# the office broker\nurl = mqtts://broker.lan\ntopic=eew/feed\nca=ca.pem\n"
               "auth=login\ncolour=red\n");
    BrokerConfigFile read = read_broker_config(data.path() + "/");
    ASSERT_TRUE(read.broker);
    EXPECT_EQ(read.broker->address.text(), "mqtts://broker.lan:8883");
    EXPECT_EQ(read.broker->topic, "eew/feed");
    EXPECT_EQ(read.broker->ca_file, data.path() + "/ca.pem");
    ASSERT_TRUE(read.broker->login);
    EXPECT_EQ(read.broker->login->user + "/" + read.broker->login->password, "display/secret");
    ASSERT_EQ(read.faults.size(), 1u);
    EXPECT_NE(read.faults[0].find("line 6 has the unknown key \"colour\""), std::string::npos);

    // A wildcard topic would take in other feeds; a login file without a
    // name is no login. Without a usable address and topic there is no broker.
    data.write("broker.conf", "url=ftp://broker.lan\ntopic=eew/#\nauth=missing\n");
    read = read_broker_config(data.path() + "/");
    EXPECT_FALSE(read.broker);
    ASSERT_EQ(read.faults.size(), 4u);
    EXPECT_NE(read.faults[0].find("line 1 is not a broker address"), std::string::npos);
    EXPECT_NE(read.faults[1].find("line 2 is not a topic name"), std::string::npos);
    EXPECT_NE(read.faults[2].find("line 3 names a login that fails"), std::string::npos);
}

TEST(BrokerConfig, TheClientIdIsMadeOnceForThisFolderAndAnewForACopy) {
    TempFolder one, copy;
    const BrokerClientId first = broker_client_id(one.path() + "/");
    EXPECT_FALSE(first.fault);
    EXPECT_EQ(broker_client_id(one.path() + "/").id, first.id);
    copy.write("broker_client_id", one.read("broker_client_id"));
    EXPECT_NE(broker_client_id(copy.path() + "/").id, first.id);
    EXPECT_TRUE(broker_client_id("/nonexistent/").fault);
}

TEST(LanSenders, AddressesAndNetworksOfBothFamiliesAndBadLinesNamed) {
    TempFolder data;
    EXPECT_FALSE(read_lan_senders(data.path() + "/lan_senders").senders);
    data.write("lan_senders",
               "# the relay and the office\n127.0.0.1\n192.168.10.0/23\nfd00:1::/32\n"
               "10.0.0.0/33\nrelay.lan\n");
    const LanSendersFile read = read_lan_senders(data.path() + "/lan_senders");
    ASSERT_TRUE(read.senders);
    ASSERT_EQ(read.faults.size(), 2u);
    EXPECT_NE(read.faults[0].find("line 5"), std::string::npos);
    EXPECT_NE(read.faults[1].find("line 6"), std::string::npos);
    for (const auto& [sender, allowed] :
         std::initializer_list<std::pair<const char*, bool>>{{"127.0.0.1", true},
                                                             {"::ffff:127.0.0.1", true},
                                                             {"127.0.0.2", false},
                                                             {"192.168.11.255", true},
                                                             {"192.168.12.1", false},
                                                             {"fd00:1:ffff::9", true},
                                                             {"fd00:2::9", false},
                                                             {"::1", false},
                                                             {"10.0.0.1", false}})
        EXPECT_EQ(read.senders->allows(address(sender)), allowed) << sender;
    EXPECT_EQ(sender_text(address("::ffff:192.0.2.7")), "192.0.2.7");
    EXPECT_EQ(sender_text(address("fd00::1")), "fd00::1");
}

}  // namespace
}  // namespace eew::test
