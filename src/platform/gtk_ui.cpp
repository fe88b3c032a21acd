// The show's dialogs on GTK 3: the start-up dialog, message boxes, the input dialog and the
// modeless log window. GTK's events are pumped from the main loop's idle pass.
#include <glib-unix.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/interruption.h"
#include "platform/startup_picture.h"
#include "platform/ui.h"

namespace platform {
namespace {

// The start-up dialog's picture as a pixbuf that owns a copy of the pixels.
GdkPixbuf* makeStartupPicture() {
    const int width = kStartupPictureWidth;
    const int height = kStartupPictureHeight;
    const std::vector<uint8_t> rgb = startupPicture();
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height);
    guint8* pixels = gdk_pixbuf_get_pixels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    for (int y = 0; y < height; ++y)
        std::copy_n(rgb.data() + y * width * 3, width * 3, pixels + y * stride);
    return pixbuf;
}

GtkMessageType messageType(Icon icon) {
    switch (icon) {
        case Icon::Exclamation:
            return GTK_MESSAGE_WARNING;
        case Icon::Stop:
            return GTK_MESSAGE_ERROR;
        default:
            return GTK_MESSAGE_INFO;
    }
}

void runPendingEvents() {
    while (gtk_events_pending()) {
        gtk_main_iteration_do(FALSE);
    }
}

class GtkUi : public Ui {
public:
    Answer startupDialog(bool& fullscreen) override {
        GtkWidget* dialog = gtk_dialog_new();
        gtk_window_set_title(GTK_WINDOW(dialog), "#Korrin");
        gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
        gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
        GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
        GdkPixbuf* picture = makeStartupPicture();
        gtk_box_pack_start(GTK_BOX(content), gtk_image_new_from_pixbuf(picture), FALSE, FALSE, 4);
        g_object_unref(picture);

        GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
        GtkWidget* cancel = gtk_button_new_with_label("Cancel");
        GtkWidget* check = gtk_check_button_new_with_label("Fullscreen");
        GtkWidget* ok = gtk_button_new_with_label("OK");
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(check), TRUE);
        gtk_box_pack_start(GTK_BOX(row), cancel, TRUE, TRUE, 4);
        gtk_box_pack_start(GTK_BOX(row), check, TRUE, TRUE, 4);
        gtk_box_pack_start(GTK_BOX(row), ok, TRUE, TRUE, 4);
        gtk_box_pack_start(GTK_BOX(content), row, FALSE, FALSE, 4);
        g_signal_connect(cancel, "clicked", G_CALLBACK(+[](GtkWidget*, gpointer d) {
                             gtk_dialog_response(GTK_DIALOG(d), GTK_RESPONSE_CANCEL);
                         }),
                         dialog);
        g_signal_connect(ok, "clicked", G_CALLBACK(+[](GtkWidget*, gpointer d) {
                             gtk_dialog_response(GTK_DIALOG(d), GTK_RESPONSE_OK);
                         }),
                         dialog);
        gtk_widget_set_can_default(ok, TRUE);
        gtk_widget_grab_default(ok);
        gtk_widget_show_all(dialog);
        // Return picks OK: the focus starts on it, not on the first button.
        gtk_widget_grab_focus(ok);
        gint response = gtk_dialog_run(GTK_DIALOG(dialog));
        fullscreen = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(check));
        gtk_widget_destroy(dialog);
        runPendingEvents();
        if (response == GTK_RESPONSE_OK)
            return Answer::Ok;
        if (response == GTK_RESPONSE_CANCEL)
            return Answer::Cancel;
        return Answer::Closed;
    }

    Answer messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                      Icon icon) override {
        // The terminal keeps what the box said after it is gone.
        std::fprintf(stderr, "tarvel: %s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ",
                     text.c_str());
        GtkWidget* dialog = gtk_message_dialog_new(
            nullptr, GTK_DIALOG_MODAL, messageType(icon),
            buttons == Buttons::YesNo ? GTK_BUTTONS_YES_NO : GTK_BUTTONS_OK, "%s", text.c_str());
        gtk_window_set_title(GTK_WINDOW(dialog), caption.c_str());
        gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
        // The first button is the default, as in the message boxes the show was made for:
        // Return answers Yes to a question.
        gint first = buttons == Buttons::YesNo ? GTK_RESPONSE_YES : GTK_RESPONSE_OK;
        gtk_dialog_set_default_response(GTK_DIALOG(dialog), first);
        gtk_widget_show_all(dialog);
        if (GtkWidget* button = gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), first))
            gtk_widget_grab_focus(button);
        gtk_window_present(GTK_WINDOW(dialog));
        gint response = gtk_dialog_run(GTK_DIALOG(dialog));
        gtk_widget_destroy(dialog);
        runPendingEvents();
        if (buttons == Buttons::YesNo) {
            return response == GTK_RESPONSE_YES ? Answer::Yes : Answer::No;
        }
        return Answer::Ok;
    }

    InputResult inputDialog(const std::string& caption, const std::string& prompt) override {
        GtkWidget* dialog =
            gtk_dialog_new_with_buttons(caption.c_str(), nullptr, GTK_DIALOG_MODAL, "Cancel",
                                        GTK_RESPONSE_CANCEL, "OK", GTK_RESPONSE_OK, nullptr);
        gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
        gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
        gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
        GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
        GtkWidget* label = gtk_label_new(prompt.c_str());
        gtk_label_set_xalign(GTK_LABEL(label), 0);
        GtkWidget* entry = gtk_entry_new();
        gtk_entry_set_max_length(GTK_ENTRY(entry), 1023);
        gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
        gtk_box_pack_start(GTK_BOX(content), label, FALSE, FALSE, 4);
        gtk_box_pack_start(GTK_BOX(content), entry, FALSE, FALSE, 4);
        gtk_widget_show_all(dialog);
        gtk_window_present(GTK_WINDOW(dialog));
        gtk_widget_grab_focus(entry);
        gint response = gtk_dialog_run(GTK_DIALOG(dialog));
        InputResult result;
        if (response == GTK_RESPONSE_OK) {
            result.answer = Answer::Ok;
            result.text = gtk_entry_get_text(GTK_ENTRY(entry));
        } else if (response == GTK_RESPONSE_CANCEL) {
            result.answer = Answer::Cancel;
        } else {
            result.answer = Answer::Closed;
        }
        gtk_widget_destroy(dialog);
        runPendingEvents();
        return result;
    }

    bool openLogWindow(const std::string& title, std::function<void()> onClose) override {
        onLogClose_ = std::move(onClose);
        // Each start-up round opens the log again (F1): it replaces the earlier window.
        if (logWindow_)
            gtk_widget_destroy(logWindow_);
        logWindow_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_title(GTK_WINDOW(logWindow_), title.c_str());
        gtk_window_set_default_size(GTK_WINDOW(logWindow_), 450, 190);
        gtk_window_move(GTK_WINDOW(logWindow_), 0, 750);
        gtk_window_set_accept_focus(GTK_WINDOW(logWindow_), FALSE);
        // Long lines wrap: a view scrolled sideways to the end of one line hides the start
        // of every other.
        GtkWidget* scroll = gtk_scrolled_window_new(nullptr, nullptr);
        gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroll), GTK_POLICY_NEVER,
                                       GTK_POLICY_AUTOMATIC);
        logView_ = gtk_text_view_new();
        gtk_text_view_set_editable(GTK_TEXT_VIEW(logView_), FALSE);
        gtk_text_view_set_cursor_visible(GTK_TEXT_VIEW(logView_), FALSE);
        gtk_text_view_set_monospace(GTK_TEXT_VIEW(logView_), TRUE);
        gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(logView_), GTK_WRAP_WORD_CHAR);
        GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(logView_));
        GtkTextIter end;
        gtk_text_buffer_get_end_iter(buffer, &end);
        logEnd_ = gtk_text_buffer_create_mark(buffer, nullptr, &end, FALSE);
        logText_.clear();
        // The view lays its lines out bit by bit after they are added, and each bit moves
        // the end further down: the view follows it there.
        g_signal_connect(gtk_scrolled_window_get_vadjustment(GTK_SCROLLED_WINDOW(scroll)),
                         "changed", G_CALLBACK(+[](GtkAdjustment* vertical, gpointer) {
                             gtk_adjustment_set_value(vertical,
                                                      gtk_adjustment_get_upper(vertical) -
                                                          gtk_adjustment_get_page_size(vertical));
                         }),
                         nullptr);
        gtk_container_add(GTK_CONTAINER(scroll), logView_);
        gtk_container_add(GTK_CONTAINER(logWindow_), scroll);
        g_signal_connect(logWindow_, "delete-event",
                         G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer self) -> gboolean {
                             auto* ui = static_cast<GtkUi*>(self);
                             if (ui->onLogClose_)
                                 ui->onLogClose_();
                             return TRUE;
                         }),
                         this);
        gtk_widget_show_all(logWindow_);
        runPendingEvents();
        return true;
    }

    void setLogText(const std::string& text) override {
        if (!logView_)
            return;
        GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(logView_));
        // Nearly always one line more at the end: only that is added, so the view keeps
        // its layout and a long log costs no more per line than a short one.
        if (text.size() >= logText_.size() && text.compare(0, logText_.size(), logText_) == 0) {
            GtkTextIter end;
            gtk_text_buffer_get_end_iter(buffer, &end);
            gtk_text_buffer_insert(buffer, &end, text.c_str() + logText_.size(),
                                   static_cast<gint>(text.size() - logText_.size()));
        } else {
            gtk_text_buffer_set_text(buffer, text.c_str(), static_cast<gint>(text.size()));
        }
        logText_ = text;
        // Bottom-aligned on the end, carried out once the new lines are laid out.
        gtk_text_view_scroll_to_mark(GTK_TEXT_VIEW(logView_), logEnd_, 0.0, TRUE, 0.0, 1.0);
    }

    LogInView logInView() override {
        LogInView seen;
        if (!logView_ || !gtk_widget_get_realized(logView_))
            return seen;
        GtkTextView* view = GTK_TEXT_VIEW(logView_);
        GdkRectangle visible;
        gtk_text_view_get_visible_rect(view, &visible);
        GtkTextIter line;
        gtk_text_view_get_line_at_y(view, &line, visible.y, nullptr);
        seen.firstLine = lineText(line);
        // Up from the bottom to the first line whose whole height is in view.
        int top = 0;
        int height = 0;
        gtk_text_view_get_line_at_y(view, &line, visible.y + visible.height - 1, &top);
        for (;;) {
            gtk_text_view_get_line_yrange(view, &line, &top, &height);
            if (top + height <= visible.y + visible.height || !gtk_text_iter_backward_line(&line))
                break;
        }
        seen.lastLine = lineText(line);
        seen.leftEdge = visible.x == 0;
        return seen;
    }

    void pump() override { runPendingEvents(); }

private:
    // The text of the buffer line that `at` is in, without its line end.
    static std::string lineText(GtkTextIter at) {
        gtk_text_iter_set_line_offset(&at, 0);
        GtkTextIter end = at;
        if (!gtk_text_iter_ends_line(&end))
            gtk_text_iter_forward_to_line_end(&end);
        gchar* text = gtk_text_iter_get_text(&at, &end);
        std::string line = text ? text : "";
        g_free(text);
        return line;
    }

    GtkWidget* logWindow_ = nullptr;
    GtkWidget* logView_ = nullptr;
    GtkTextMark* logEnd_ = nullptr;  // stays at the end as text is added there
    std::string logText_;            // what the view holds
    std::function<void()> onLogClose_;
};

}  // namespace

}  // namespace platform

// The dialogs module's one entry point (see dialogs_module.cpp): null when GTK cannot open
// the display.
extern "C" __attribute__((visibility("default"))) platform::Ui* tarvel_dialogs_create() {
    using platform::Interruption;
    if (!gtk_init_check(nullptr, nullptr)) {
        return nullptr;
    }
    // A signal wakes every GTK event loop, a modal dialog's too, and ends the program there.
    if (Interruption::wakeDescriptor() >= 0) {
        g_unix_fd_add(
            Interruption::wakeDescriptor(), G_IO_IN,
            [](gint, GIOCondition, gpointer) -> gboolean {
                Interruption::endIfSignalled();
                return G_SOURCE_CONTINUE;
            },
            nullptr);
    }
    return new platform::GtkUi();
}
