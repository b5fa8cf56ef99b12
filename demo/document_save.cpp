// Saving a document: the rebuilt signon, then every further block encoded in order.
#include "tresk_doc.h"

#include "codec.h"
#include "demo_saver.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The game's packet buffer holds 1400 bytes; signon blocks are filled to at most 1394.
constexpr size_t kSignonBlockLimit = 1394;

} // namespace

void FileSink::Write(const uint8_t* data, size_t size) {
    if (!failed_ && size > 0 && std::fwrite(data, 1, size, file_) != size) {
        failed_ = true;
    }
}

namespace {

void FlushSignonBlock(ByteSink& out, std::vector<uint8_t>& buffer) {
    if (!buffer.empty()) {
        out.WriteU32(static_cast<uint32_t>(buffer.size()));
        out.Write(buffer.data(), buffer.size());
        buffer.clear();
    }
}

// Appends an encoded piece to the signon buffer, first writing the buffer out as a block when
// the piece would take it past the limit.
class SignonWriter {
  public:
    SignonWriter(std::vector<uint8_t>& buffer, ByteSink& out) : buffer_(buffer), out_(out) {}

    void Append(const std::vector<uint8_t>& piece, bool mayStartBlock = true) {
        if (mayStartBlock && !buffer_.empty() &&
            buffer_.size() + piece.size() > kSignonBlockLimit) {
            FlushSignonBlock(out_, buffer_);
        }
        buffer_.insert(buffer_.end(), piece.begin(), piece.end());
    }

    void ConfigString(int index, const char* text) {
        piece_.clear();
        WireWriter w(piece_);
        w.Byte(svc_configstring);
        w.Word(static_cast<uint32_t>(index));
        w.String(text);
        Append(piece_);
    }

  private:
    std::vector<uint8_t>& buffer_;
    ByteSink& out_;
    std::vector<uint8_t> piece_;
};

} // namespace

void CTreskDoc::WriteConfigStringTable(const ConfigStringTable& table, int count, int base,
                                       std::vector<uint8_t>& buffer, ByteSink& out) {
    SignonWriter signon(buffer, out);
    for (int k = 0; k < count; ++k) {
        signon.ConfigString(base + k, table.EntryChars(k));
    }
}

void CTreskDoc::WriteSignon(ByteSink& out) {
    std::vector<uint8_t> buffer;
    buffer.reserve(kSignonBlockLimit + 2048);
    SignonWriter signon(buffer, out);
    DemoBlock* first = FirstBlock();
    DemoMessage* head = first != nullptr ? first->FirstMessage() : nullptr;
    if (head != nullptr) {
        WriteMessage(buffer, *head, *this);
    }
    signon.ConfigString(CS_NAME, levelName.c_str());
    signon.ConfigString(CS_CDTRACK, cdTrack.c_str());
    signon.ConfigString(CS_SKY, skyName.c_str());
    signon.ConfigString(CS_SKYAXIS, skyAxis.c_str());
    signon.ConfigString(CS_SKYROTATE, skyRotate.c_str());
    WriteConfigStringTable(statusBarTable, statusBarTable.Count(), CS_STATUSBAR, buffer, out);
    signon.ConfigString(CS_MAXCLIENTS, std::to_string(maxClients).c_str());
    signon.ConfigString(CS_MAPCHECKSUM, mapChecksum.c_str());
    WriteConfigStringTable(modelTable, modelTable.Count(), kModelBase, buffer, out);
    WriteConfigStringTable(soundTable, soundTable.Count(), kSoundBase, buffer, out);
    WriteConfigStringTable(imageTable, imageTable.Count(), kImageBase, buffer, out);
    WriteConfigStringTable(itemTable, itemTable.Count(), kItemBase, buffer, out);
    WriteConfigStringTable(skinTable, skinTable.Count(), kSkinBase, buffer, out);

    FlushSignonBlock(out, buffer);
}

SaveReport CTreskDoc::SaveTo(ByteSink& out) {
    UpdateAllViews(nullptr, kHintBeforeSave);
    DemoBlock* first = FirstBlock();
    if (first == nullptr) {
        return lastSave = SaveReport{};
    }
    if (!first->decoded && first->rawLength > 0) {
        DecodeAll(); // the signon is rebuilt from what decoding fills in
    }
    DemoSaver saver(*this, out);
    return lastSave = saver.Run();
}

bool CTreskDoc::OnSaveDocument(const std::string& path, std::string* error) {
    auto fail = [&](const std::string& what) {
        if (error != nullptr) {
            *error = "Cannot save \"" + path + "\": " + what + ".";
        }
        return false;
    };
    std::string temp = path + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return fail(std::strerror(errno));
    }
    // The saved file keeps the permissions of the one it replaces.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        int saved = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return fail(std::strerror(saved));
    }
    static thread_local char buffer[1 << 16];
    std::setvbuf(file, buffer, _IOFBF, sizeof buffer);
    FileSink sink(file);
    SaveTo(sink);
    int saved = 0;
    bool ok = !sink.Failed() && std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
    if (!ok) {
        saved = errno;
    }
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        saved = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return fail(std::strerror(saved != 0 ? saved : EIO));
    }
    pathName_ = path;
    history.MarkSaved();
    return true;
}
