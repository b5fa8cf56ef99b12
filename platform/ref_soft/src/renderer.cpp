#include "renderer.h"

#include "draw2d.h"
#include "files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace refsoft {

namespace {

constexpr int kDefaultWidth = 320;
constexpr int kDefaultHeight = 240;
constexpr const char* kWindowTitle = "Software renderer";
// Gamma from vid_gamma: below 1 brightens. Kept in a range where the brightest colours do
// not wash out to white and the darkest do not sink to black.
constexpr float kMinGamma = 0.5f;
constexpr float kMaxGamma = 2.0f;

bool EndsWithNoCase(const std::string& s, const char* suffix) {
    const std::size_t n = std::char_traits<char>::length(suffix);
    if (s.size() < n)
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        char c = s[s.size() - n + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i])
            return false;
    }
    return true;
}

} // namespace

Renderer::Renderer(const refimport_t& imports) : m_imports(imports), m_images(m_imports) {}

Renderer::~Renderer() {
    Shutdown();
}

void Renderer::Print(const char* text) {
    if (m_imports.Con_Printf)
        m_imports.Con_Printf(PRINT_ALL, "%s\n", text);
}

int Renderer::Init(void* hinstance) {
    Shutdown();
    const auto* platform = static_cast<const orrery_platform_t*>(hinstance);
    if (!platform || platform->version != ORRERY_PLATFORM_VERSION ||
        platform->size < static_cast<int>(sizeof(orrery_platform_t)) || !platform->OpenWindow ||
        !platform->PresentFrame) {
        Print("ref_soft: no usable platform table; no window");
        return 0;
    }
    int width = kDefaultWidth, height = kDefaultHeight;
    if (m_imports.Vid_GetModeInfo) {
        int w = 0, h = 0;
        if (m_imports.Vid_GetModeInfo(&w, &h, 0) && w > 0 && h > 0 && w <= 8192 && h <= 8192) {
            width = w;
            height = h;
        }
    }
    void* window = platform->OpenWindow(platform->context, kWindowTitle, width, height);
    if (!window) {
        Print("ref_soft: the window could not be opened");
        return 0;
    }
    m_platform = platform;
    m_window = window;
    m_frame.Resize(width, height);
    if (m_imports.Vid_NewWindow)
        m_imports.Vid_NewWindow(width, height);
    if (m_imports.Cvar_Get) {
        m_gammaVar = m_imports.Cvar_Get("vid_gamma", "1.0", CVAR_ARCHIVE);
        m_faceIdVar = m_imports.Cvar_Get("sw_faceids", "0", 0);
    }
    m_images.LoadPalette();
    return 1;
}

void Renderer::Shutdown() {
    if (m_platform && m_window && m_platform->CloseWindow)
        m_platform->CloseWindow(m_platform->context, m_window);
    m_platform = nullptr;
    m_window = nullptr;
    m_world = nullptr;
    m_models.clear();
    m_images.Clear();
    m_sky = Sky{};
    m_conchars = nullptr;
    m_concharsLooked = false;
    m_gammaVar = nullptr;
    m_faceIdVar = nullptr;
}

// --- registration ---

model_s* Renderer::LoadModel(const std::string& name) {
    auto it = m_models.find(name);
    if (it != m_models.end())
        return it->second.get();
    std::vector<std::uint8_t> bytes;
    if (!LoadFile(m_imports, name, bytes))
        return nullptr;
    std::string error;
    std::unique_ptr<model_s> model;
    if (EndsWithNoCase(name, ".bsp"))
        model = LoadBrushModel(name, bytes, m_images, m_registration, error);
    else if (EndsWithNoCase(name, ".md2"))
        model = LoadAliasModel(name, bytes, m_images, m_registration, error);
    else
        error = "not a model the renderer draws";
    if (!model) {
        Print(("ref_soft: " + name + ": " + error).c_str());
        return nullptr;
    }
    model_s* result = model.get();
    m_models.emplace(name, std::move(model));
    return result;
}

void Renderer::BeginRegistration(const char* map) {
    ++m_registration;
    m_images.LoadPalette();
    m_concharsLooked = false;
    if (!map || !*map) {
        m_world = nullptr;
        return;
    }
    // Loaded once: the same map again is the cached world.
    m_world = LoadModel(std::string("maps/") + map + ".bsp");
}

model_s* Renderer::RegisterModel(const char* name) {
    if (!name || !*name)
        return nullptr;
    const std::string n(name);
    if (n[0] == '*') {
        // An inline model of the registered map; "*0" and anything out of range is none.
        if (!m_world || n.size() < 2 || n.size() > 6)
            return nullptr;
        int index = 0;
        for (std::size_t i = 1; i < n.size(); ++i) {
            if (n[i] < '0' || n[i] > '9')
                return nullptr;
            index = index * 10 + (n[i] - '0');
        }
        if (index < 1 || static_cast<std::size_t>(index) >= m_world->inlineModels.size())
            return nullptr;
        return m_world->inlineModels[index].get();
    }
    return LoadModel(n);
}

image_s* Renderer::RegisterSkin(const char* name) {
    if (!name || !*name)
        return nullptr;
    return m_images.Find(name, m_registration);
}

image_s* Renderer::RegisterPic(const char* name) {
    if (!name || !*name)
        return nullptr;
    return m_images.FindPic(name, m_registration);
}

void Renderer::SetSky(const char* name, float rotate, const float* axis) {
    static const char* const kSuffixes[6] = {"rt", "bk", "lf", "ft", "up", "dn"};
    m_sky = Sky{};
    m_sky.rotate = std::isfinite(rotate) ? rotate : 0.0f;
    if (axis) {
        const Vec3 a = Normalized({axis[0], axis[1], axis[2]});
        if (Finite(a) && Length(a) > 0.5f)
            m_sky.axis = a;
    }
    if (!name || !*name)
        return;
    for (int i = 0; i < 6; ++i)
        m_sky.sides[i] =
            m_images.Find(std::string("env/") + name + kSuffixes[i] + ".pcx", m_registration);
    m_sky.loaded = true;
}

void Renderer::EndRegistration() {
    // Models and images stay until Shutdown: the host may keep handles from an earlier
    // registration (skins registered while frames are drawn), and freeing them under it
    // would leave it pointing at nothing.
}

// --- frames ---

void Renderer::BeginFrame() {
    m_windowSized = false;
    if (m_platform && m_window && m_platform->GetWindowSize) {
        int w = 0, h = 0;
        if (m_platform->GetWindowSize(m_platform->context, m_window, &w, &h) &&
            m_frame.Resize(w, h))
            m_windowSized = true;
    }
    // Every frame starts black, so nothing of an earlier frame shows around a smaller view.
    m_frame.ClearRect(0, 0, m_frame.Width(), m_frame.Height(), 0xff000000u);
    UpdateGamma();
}

void Renderer::UpdateGamma() {
    float gamma = m_gammaVar && std::isfinite(m_gammaVar->value) ? m_gammaVar->value : 1.0f;
    gamma = std::clamp(gamma, kMinGamma, kMaxGamma);
    if (gamma == m_gamma)
        return;
    m_gamma = gamma;
    for (int i = 0; i < 256; ++i) {
        const double v = 255.0 * std::pow((i + 0.5) / 256.0, gamma);
        m_gammaTable[i] = static_cast<std::uint8_t>(std::clamp(v + 0.5, 0.0, 255.0));
    }
    m_gammaTable[0] = 0;
    m_gammaTable[255] = 255;
}

void Renderer::RenderFrame(const refdef_t* fd) {
    if (!fd || !m_window)
        return;
    // Without a size from the window, the buffer takes the frame description's size.
    if (!m_windowSized && fd->width > 0 && fd->height > 0) {
        const long w = long(std::max(0, fd->x)) + fd->width,
                   h = long(std::max(0, fd->y)) + fd->height;
        if (w <= 8192 && h <= 8192)
            m_frame.Resize(static_cast<int>(w), static_cast<int>(h));
    }
    FrameContext ctx;
    if (!MakeCamera(*fd, m_frame.Width(), m_frame.Height(), ctx.cam))
        return;
    ctx.fb = &m_frame;
    ctx.fd = fd;
    ctx.palette = &m_images.Palette();
    ctx.checker = m_images.Checker();
    ctx.sky = m_sky.loaded ? &m_sky : nullptr;
    ctx.time = std::isfinite(fd->time) ? fd->time : 0.0f;
    for (int i = 0; i < 256; ++i) {
        // A style's overall brightness: the game's normal light has white 3.
        float scale = 1.0f;
        if (fd->lightstyles) {
            const float white = fd->lightstyles[i].white;
            scale = std::isfinite(white) ? std::clamp(white / 3.0f, 0.0f, 4.0f) : 1.0f;
        }
        ctx.styleScale[i] = scale;
    }
    m_frame.ClearRect(ctx.cam.left, ctx.cam.top, ctx.cam.width, ctx.cam.height, 0xff000000u);

    const int count = fd->entities ? std::clamp(fd->num_entities, 0, 4096) : 0;
    const bool world = m_world && !(fd->rdflags & RDF_NOWORLDMODEL);
    ctx.world = world ? m_world : nullptr;
    for (Pass pass : {Pass::Opaque, Pass::Translucent}) {
        if (world)
            DrawBrushModel(ctx, *m_world, nullptr, pass, 1.0f);
        for (int i = 0; i < count; ++i) {
            const entity_t& ent = fd->entities[i];
            if (ent.flags & RF_BEAM) {
                if (pass == Pass::Translucent)
                    DrawBeam(ctx, ent);
                continue;
            }
            // Only handles this renderer gave out are followed.
            model_s* model = ent.model;
            if (!model)
                continue;
            if (model->kind == model_s::Kind::Brush) {
                const Vec3 origin = FromArray(ent.origin);
                if (!Finite(origin))
                    continue;
                const Placement place{origin, AngleVectors(ent.angles)};
                const float alpha = ent.flags & RF_TRANSLUCENT ? EntityAlpha(ent, 0.7f) : 1.0f;
                DrawBrushModel(ctx, *model, &place, pass, alpha);
            } else {
                DrawAliasEntity(ctx, ent, pass);
            }
        }
    }
    DrawBlend(ctx);
}

void Renderer::EndFrame() {
    if (!m_platform || !m_window || m_frame.Width() <= 0)
        return;
    const std::size_t n = static_cast<std::size_t>(m_frame.Width()) * m_frame.Height();
    m_present.resize(n);
    const bool faceIds = m_faceIdVar && m_faceIdVar->value != 0.0f;
    const std::uint32_t* src = faceIds ? m_frame.FaceIds() : m_frame.Pixels();
    if (faceIds) {
        std::copy(src, src + n, m_present.begin());
    } else {
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint32_t p = src[i];
            m_present[i] = Xrgb(m_gammaTable[(p >> 16) & 255], m_gammaTable[(p >> 8) & 255],
                                m_gammaTable[p & 255]);
        }
    }
    m_platform->PresentFrame(m_platform->context, m_window, m_present.data(), m_frame.Width(),
                             m_frame.Height(), m_frame.Width() * 4, ORRERY_PIXELS_XRGB32);
}

// --- 2D ---

void Renderer::DrawGetPicSize(int* w, int* h, const char* name) {
    const image_s* image = name ? m_images.FindPic(name, m_registration) : nullptr;
    if (w)
        *w = image ? image->width : -1;
    if (h)
        *h = image ? image->height : -1;
}

void Renderer::DrawPic(int x, int y, const char* name) {
    const image_s* image = name ? m_images.FindPic(name, m_registration) : nullptr;
    if (image)
        DrawImage(m_frame, *image, x, y, image->width, image->height);
}

void Renderer::DrawStretchPic(int x, int y, int w, int h, const char* name) {
    const image_s* image = name ? m_images.FindPic(name, m_registration) : nullptr;
    if (image)
        DrawImage(m_frame, *image, x, y, w, h);
}

void Renderer::DrawChar(int x, int y, int c) {
    if (!m_concharsLooked) {
        m_conchars = m_images.FindPic("conchars", m_registration);
        m_concharsLooked = true;
    }
    DrawGlyph(m_frame, m_conchars, x, y, c);
}

void Renderer::DrawTileClear(int x, int y, int w, int h, const char* name) {
    const image_s* image = name ? m_images.FindPic(name, m_registration) : nullptr;
    if (image)
        TileImage(m_frame, *image, x, y, w, h);
    else
        FillRect(m_frame, x, y, w, h, 0xff000000u);
}

void Renderer::DrawFill(int x, int y, int w, int h, int c) {
    FillRect(m_frame, x, y, w, h, m_images.Palette()[static_cast<unsigned>(c) & 255]);
}

void Renderer::DrawFadeScreen() {
    FadeScreen(m_frame);
}

void Renderer::DrawStretchRaw(int x, int y, int w, int h, int cols, int rows,
                              const unsigned char* data) {
    if (!data || cols <= 0 || rows <= 0 || cols > 4096 || rows > 4096)
        return;
    image_s raw;
    raw.width = cols;
    raw.height = rows;
    IndicesToTexels(data, static_cast<std::size_t>(cols) * rows,
                    m_rawPaletteSet ? m_rawPalette : m_images.Palette(), raw.texels);
    for (std::uint32_t& t : raw.texels)
        t |= 0xff000000u;
    DrawImage(m_frame, raw, x, y, w, h);
}

void Renderer::CinematicSetPalette(const unsigned char* palette) {
    m_rawPaletteSet = palette != nullptr;
    if (!palette)
        return;
    for (int i = 0; i < 256; ++i)
        m_rawPalette[i] = Xrgb(palette[i * 3], palette[i * 3 + 1], palette[i * 3 + 2]);
}

} // namespace refsoft
