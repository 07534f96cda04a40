// Times the export of 20,000 checked contacts to each record format, from the item stream to the
// file on disk, and prints one line per format with its limit.

#include "CRecordFileExport.h"
#include "IBaseSerial.h"
#include "ISerialable.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchReport.h"

namespace {

constexpr int kContacts = 20000;

struct Contact {
    std::string id;
    std::string name;
    std::string mobile;
    std::string home;
};

class ContactsSource : public ISerialable {
public:
    ContactsSource() {
        m_contacts.reserve(kContacts);
        for (int i = 0; i < kContacts; ++i) {
            const std::string n = std::to_string(i);
            m_contacts.push_back({n, "Jürgen Müller 王 " + n, "+49 170 " + n, "030 " + n});
        }
    }
    void Serialize(IBaseSerial* writer) override {
        writer->BeginItem("Contacts", -1);
        for (const Contact& contact : m_contacts) {
            writer->BeginItem("Item", -1);
            writer->WriteString("id", contact.id.c_str());
            writer->WriteString("Name", contact.name.c_str());
            writer->WriteString("Type", "mobile");
            writer->WriteString("PhoneNumber", contact.mobile.c_str());
            writer->WriteString("Type", "home");
            writer->WriteString("PhoneNumber", contact.home.c_str());
            writer->EndItem();
        }
        writer->EndItem();
    }
    void Deserialize(IBaseSerial*) override {}

private:
    std::vector<Contact> m_contacts;
};

} // namespace

int main() {
    ContactsSource source;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vexa-bench-serial";
    struct Case {
        const char* extension;
        double limitMs;
    };
    // One untimed export first, so the figures do not include the process's first heap growth and
    // the folder creation, which a running program has long paid.
    CRecordFileExport::Export(source, (folder / "warm-up.txt").string());
    int failures = 0;
    for (const Case& c : {Case{".vcf", 300}, Case{".xml", 500}, Case{".txt", 500}, Case{".xls", 1000}}) {
        const std::string path = (folder / (std::string("contacts") + c.extension)).string();
        const auto start = std::chrono::steady_clock::now();
        CRecordFileExport::Export(source, path);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        const bool written = std::filesystem::file_size(path) > 0;
        const bool ok = ms < c.limitMs && written;
        // Over the limit shows in the table; only a missing file means the benchmark failed.
        failures += written ? 0 : 1;
        std::printf("export %d contacts to %s: %.1f ms (limit %.0f ms, %ju bytes) %s\n", kContacts,
                    c.extension, ms, c.limitMs, static_cast<std::uintmax_t>(std::filesystem::file_size(path)),
                    ok ? "ok" : "TOO SLOW");
        BenchFigure((std::string("serial.export") + c.extension).c_str(), ms, "ms", c.limitMs);
    }
    std::filesystem::remove_all(folder);
    return failures == 0 ? 0 : 1;
}
