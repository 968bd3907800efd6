#include <epoxy/gl.h>
#include <gtk/gtk.h>

#include <string>

#include "platform/dialogs/dialog_driver.h"
#include "platform/real.h"

namespace plat {
namespace {

constexpr int kLaunchResponse = 1;
constexpr int kHookDelayMs = 150;  // lets the dialog lay itself out and draw before a test works it

std::function<void(DialogDriver&)>& Hook() {
    static std::function<void(DialogDriver&)> hook;
    return hook;
}

void Flush() {
    while (gtk_events_pending()) gtk_main_iteration();
}

// Style and layout changes wait for the frame clock, which may be holding back a frame: give it a moment.
void Settle() {
    gint64 until = g_get_monotonic_time() + 120000;
    while (g_get_monotonic_time() < until) {
        Flush();
        g_usleep(4000);
    }
}

std::string WithoutUnderscores(const char* text) {
    std::string out;
    for (const char* p = text; *p; ++p)
        if (*p != '_') out += *p;
    return out;
}

struct Search {
    std::string label;
    GtkWidget* found = nullptr;
};

void FindButton(GtkWidget* widget, gpointer data) {
    Search* search = static_cast<Search*>(data);
    if (search->found) return;
    if (GTK_IS_BUTTON(widget)) {
        const char* label = gtk_button_get_label(GTK_BUTTON(widget));
        if (label && WithoutUnderscores(label) == search->label) {
            search->found = widget;
            return;
        }
    }
    if (GTK_IS_CONTAINER(widget)) gtk_container_forall(GTK_CONTAINER(widget), FindButton, data);
}

class GtkDriver : public DialogDriver {
public:
    explicit GtkDriver(GtkWidget* dialog) : dialog_(dialog) {}

    std::string Caption() const override {
        const char* title = gtk_window_get_title(GTK_WINDOW(dialog_));
        return title ? title : "";
    }

    bool Click(const char* label) override {
        Search search{label};
        FindButton(dialog_, &search);
        if (!search.found || !gtk_widget_is_sensitive(search.found)) return false;
        gtk_button_clicked(GTK_BUTTON(search.found));
        return true;
    }

    bool Snapshot(const char* pngPath) override {
        Settle();
        int width = gtk_widget_get_allocated_width(dialog_), height = gtk_widget_get_allocated_height(dialog_);
        if (width <= 0 || height <= 0) return false;
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
        cairo_t* cr = cairo_create(surface);
        gtk_widget_draw(dialog_, cr);
        cairo_destroy(cr);
        bool ok = cairo_surface_write_to_png(surface, pngPath) == CAIRO_STATUS_SUCCESS;
        cairo_surface_destroy(surface);
        return ok;
    }

private:
    GtkWidget* dialog_;
};

gboolean RunHook(gpointer data) {
    GtkWidget* dialog = static_cast<GtkWidget*>(data);
    if (gtk_widget_get_mapped(dialog) && Hook()) {
        GtkDriver driver(dialog);
        Hook()(driver);
    }
    g_object_unref(dialog);
    return G_SOURCE_REMOVE;
}

void OnMapped(GtkWidget* dialog, gpointer) {
    g_timeout_add(kHookDelayMs, RunHook, g_object_ref(dialog));
}

// A test program's hook gets each dialog once it is on screen.
void OfferToHook(GtkWidget* dialog) {
    if (!Hook()) return;
    if (gtk_widget_get_mapped(dialog)) OnMapped(dialog, nullptr);
    else g_signal_connect(dialog, "map", G_CALLBACK(OnMapped), nullptr);
}

GtkWidget* Label(const char* text) {
    GtkWidget* label = gtk_label_new(text);
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    return label;
}

GtkWidget* Combo(const ChoiceList& list) {
    GtkWidget* combo = gtk_combo_box_text_new();
    for (const ChoiceEntry& entry : list.entries)
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo), entry.text.c_str());
    gtk_combo_box_set_active(GTK_COMBO_BOX(combo), list.selected);
    return combo;
}

GtkWidget* Picture(const unsigned char* data, size_t size) {
    if (!data || size == 0) return nullptr;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    GdkPixbuf* pixbuf = nullptr;
    bool written = gdk_pixbuf_loader_write(loader, data, size, nullptr);
    if (gdk_pixbuf_loader_close(loader, nullptr) && written) pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
    GtkWidget* image = pixbuf ? gtk_image_new_from_pixbuf(pixbuf) : nullptr;
    g_object_unref(loader);
    return image;
}

// A hidden window's OpenGL context, on GTK's own display connection: major * 10 + minor, 0 when none.
int ProbeOpenGLVersion() {
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_widget_realize(window);
    int version = 0;
    // First the context the game's device asks for; a driver without it may still offer an older one.
    for (int attempt = 0; attempt < 2 && version == 0; ++attempt) {
        GError* error = nullptr;
        GdkGLContext* context = gdk_window_create_gl_context(gtk_widget_get_window(window), &error);
        g_clear_error(&error);
        if (!context) break;
        if (attempt == 0) gdk_gl_context_set_required_version(context, 3, 3);
        if (gdk_gl_context_realize(context, &error)) {
            gdk_gl_context_make_current(context);
            version = epoxy_gl_version();
            gdk_gl_context_clear_current();
        }
        g_clear_error(&error);
        g_object_unref(context);
    }
    gtk_widget_destroy(window);
    return version;
}

class GtkDialogs;

struct LauncherView {
    GtkDialogs* dialogs;
    LauncherHandler* handler;
    GtkWidget* info;
};

class GtkDialogs : public Dialogs {
public:
    LauncherResult RunLauncher(LauncherHandler& handler) override;
    void RunControls(ControlsHandler& handler) override;
    bool Confirm(const char* caption, const char* text) override;
    int OpenGLVersion() override {
        if (glVersion_ < 0) glVersion_ = Ready() ? ProbeOpenGLVersion() : 0;
        return glVersion_;
    }

private:
    bool Ready() {
        if (state_ == 0) state_ = gtk_init_check(nullptr, nullptr) ? 1 : -1;
        return state_ == 1;
    }

    int glVersion_ = -1;
    int state_ = 0;  // 0 not tried, 1 GTK up, -1 no display
    GtkWindow* launcher_ = nullptr;
};

void OnSetControls(GtkButton*, gpointer data) {
    LauncherView* view = static_cast<LauncherView*>(data);
    gtk_label_set_text(GTK_LABEL(view->info), view->handler->SetControls().c_str());
}

void OnClearAll(GtkButton*, gpointer data) {
    LauncherView* view = static_cast<LauncherView*>(data);
    gtk_label_set_text(GTK_LABEL(view->info), view->handler->ClearAll().c_str());
}

void OnLaunch(GtkButton*, gpointer dialog) { gtk_dialog_response(GTK_DIALOG(dialog), kLaunchResponse); }

LauncherResult GtkDialogs::RunLauncher(LauncherHandler& handler) {
    if (!Ready()) return LauncherResult::Unavailable;
    LauncherContent content = handler.Open();

    GtkWidget* dialog = gtk_dialog_new();
    gtk_window_set_title(GTK_WINDOW(dialog), "quiv-ex");
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
    gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);

    GtkWidget* area = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    gtk_container_set_border_width(GTK_CONTAINER(area), 10);
    gtk_box_set_spacing(GTK_BOX(area), 10);
    if (GtkWidget* picture = Picture(content.picture, content.pictureSize))
        gtk_box_pack_start(GTK_BOX(area), picture, FALSE, FALSE, 0);

    GtkWidget* columns = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 14);
    gtk_box_pack_start(GTK_BOX(area), columns, TRUE, TRUE, 0);

    GtkWidget* left = gtk_box_new(GTK_ORIENTATION_VERTICAL, 3);
    gtk_box_pack_start(GTK_BOX(columns), left, TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(left), Label("resolution:"), FALSE, FALSE, 0);
    GtkWidget* resolutions = Combo(content.resolutions);
    gtk_box_pack_start(GTK_BOX(left), resolutions, FALSE, FALSE, 0);
    GtkWidget* modeLabel = Label("screen mode:");
    gtk_widget_set_margin_top(modeLabel, 6);
    gtk_box_pack_start(GTK_BOX(left), modeLabel, FALSE, FALSE, 0);
    GtkWidget* modes = Combo(content.screenModes);
    gtk_box_pack_start(GTK_BOX(left), modes, FALSE, FALSE, 0);
    GtkWidget* info = Label(content.info.c_str());
    gtk_label_set_yalign(GTK_LABEL(info), 0.0f);
    gtk_widget_set_margin_top(info, 10);
    gtk_box_pack_start(GTK_BOX(left), info, TRUE, TRUE, 0);

    GtkWidget* right = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
    gtk_box_pack_start(GTK_BOX(columns), right, FALSE, FALSE, 0);
    GtkWidget* windowed = gtk_check_button_new_with_label("windowed");
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(windowed), content.windowed);
    gtk_widget_set_margin_top(windowed, 18);
    gtk_box_pack_start(GTK_BOX(right), windowed, FALSE, FALSE, 0);
    GtkWidget* setControls = gtk_button_new_with_label("set controls");
    gtk_box_pack_start(GTK_BOX(right), setControls, FALSE, FALSE, 0);
    GtkWidget* launch = gtk_button_new_with_label("launch");
    gtk_box_pack_end(GTK_BOX(right), launch, FALSE, FALSE, 0);
    GtkWidget* clearAll = gtk_button_new_with_label("clear all");
    gtk_box_pack_end(GTK_BOX(right), clearAll, FALSE, FALSE, 0);

    LauncherView view{this, &handler, info};
    g_signal_connect(setControls, "clicked", G_CALLBACK(OnSetControls), &view);
    g_signal_connect(clearAll, "clicked", G_CALLBACK(OnClearAll), &view);
    g_signal_connect(launch, "clicked", G_CALLBACK(OnLaunch), dialog);
    gtk_widget_set_can_default(launch, TRUE);
    gtk_window_set_default(GTK_WINDOW(dialog), launch);

    gtk_widget_show_all(dialog);
    gtk_widget_grab_focus(launch);
    OfferToHook(dialog);
    launcher_ = GTK_WINDOW(dialog);
    int response = gtk_dialog_run(GTK_DIALOG(dialog));
    launcher_ = nullptr;
    LauncherResult result = LauncherResult::Closed;
    if (response == kLaunchResponse) {
        handler.Launch(gtk_combo_box_get_active(GTK_COMBO_BOX(resolutions)),
                       gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(windowed)),
                       gtk_combo_box_get_active(GTK_COMBO_BOX(modes)));
        result = LauncherResult::Launch;
    }
    gtk_widget_destroy(dialog);
    Flush();  // gone from the screen before the game window opens
    return result;
}

struct ControlsView {
    ControlsHandler* handler;
    GtkWidget* joypadLists[6];
};

void OnJoypadToggled(GtkToggleButton* check, gpointer data) {
    ControlsView* view = static_cast<ControlsView*>(data);
    bool enabled = view->handler->JoypadClicked(gtk_toggle_button_get_active(check));
    for (GtkWidget* list : view->joypadLists) gtk_widget_set_sensitive(list, enabled);
}

void GtkDialogs::RunControls(ControlsHandler& handler) {
    if (!Ready()) return;
    ControlsContent content = handler.Open();

    GtkWidget* dialog = gtk_dialog_new();
    gtk_window_set_title(GTK_WINDOW(dialog), "Controls");
    gtk_window_set_transient_for(GTK_WINDOW(dialog), launcher_);
    gtk_window_set_position(GTK_WINDOW(dialog), launcher_ ? GTK_WIN_POS_CENTER_ON_PARENT : GTK_WIN_POS_CENTER);
    gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    gtk_dialog_add_button(GTK_DIALOG(dialog), "Cancel", GTK_RESPONSE_CANCEL);
    gtk_dialog_add_button(GTK_DIALOG(dialog), "OK", GTK_RESPONSE_OK);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);

    GtkWidget* area = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    gtk_container_set_border_width(GTK_CONTAINER(area), 10);
    GtkWidget* grid = gtk_grid_new();
    gtk_grid_set_row_spacing(GTK_GRID(grid), 4);
    gtk_grid_set_column_spacing(GTK_GRID(grid), 12);
    gtk_widget_set_margin_bottom(grid, 10);
    gtk_box_pack_start(GTK_BOX(area), grid, TRUE, TRUE, 0);

    GtkWidget* joypad = gtk_check_button_new_with_label("Enable Joypad");
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(joypad), content.joypadEnabled);
    gtk_widget_set_margin_bottom(joypad, 4);
    gtk_grid_attach(GTK_GRID(grid), joypad, 0, 0, 1, 1);

    static const char* const kActions[6] = {"up", "down", "left", "right", "shoot", "shield"};
    ControlsView view{&handler, {}};
    GtkWidget* lists[kControlLists];
    for (int row = 0; row < 6; ++row) {
        lists[row] = Combo(content.lists[row]);
        lists[6 + row] = Combo(content.lists[6 + row]);
        view.joypadLists[row] = lists[row];
        gtk_widget_set_sensitive(lists[row], content.joypadEnabled);
        GtkWidget* label = gtk_label_new(kActions[row]);
        gtk_widget_set_size_request(label, 48, -1);
        gtk_grid_attach(GTK_GRID(grid), lists[row], 0, row + 1, 1, 1);
        gtk_grid_attach(GTK_GRID(grid), label, 1, row + 1, 1, 1);
        gtk_grid_attach(GTK_GRID(grid), lists[6 + row], 2, row + 1, 1, 1);
        gtk_widget_set_hexpand(lists[row], TRUE);
        gtk_widget_set_hexpand(lists[6 + row], TRUE);
    }
    g_signal_connect(joypad, "toggled", G_CALLBACK(OnJoypadToggled), &view);

    gtk_widget_show_all(dialog);
    OfferToHook(dialog);
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK) {
        int selected[kControlLists];
        for (int i = 0; i < kControlLists; ++i) selected[i] = gtk_combo_box_get_active(GTK_COMBO_BOX(lists[i]));
        handler.Ok(selected);
    }
    gtk_widget_destroy(dialog);
    Flush();
}

bool GtkDialogs::Confirm(const char* caption, const char* text) {
    if (!Ready()) return false;
    GtkWidget* box = gtk_message_dialog_new(launcher_, GTK_DIALOG_MODAL, GTK_MESSAGE_OTHER, GTK_BUTTONS_OK_CANCEL,
                                            "%s", text);
    gtk_window_set_title(GTK_WINDOW(box), caption);
    gtk_dialog_set_default_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
    OfferToHook(box);
    bool ok = gtk_dialog_run(GTK_DIALOG(box)) == GTK_RESPONSE_OK;
    gtk_widget_destroy(box);
    Flush();
    return ok;
}

}  // namespace

Dialogs& RealDialogs() {
    static GtkDialogs dialogs;
    return dialogs;
}

void SetDialogHook(std::function<void(DialogDriver&)> hook) { Hook() = std::move(hook); }

}  // namespace plat
