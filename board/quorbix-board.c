/* quorbix-board: the game's web page in a window of its own, offline.
 *
 * The page's files are read, when asked for, from the folder that the
 * build names relative to this program (../share/quorbix/web beside
 * games/ or bin/), and served inside the program through a URI scheme of
 * its own, quorbix:, registered as secure and CORS-enabled so that the
 * page's ES modules and WebAssembly load as they do from a web server. Only
 * files inside that folder are served. Nothing goes to the network: a link
 * out of the page opens in the desktop's browser. The window keeps nothing
 * from one run to the next (its web context is ephemeral).
 *
 *   quorbix-board                 opens the window with a new game
 *   quorbix-board --automation    waits for WebKitWebDriver to ask for the
 *                                 window (for the tests)
 *
 * Ctrl+Q and Ctrl+W close the window.
 */
#define _XOPEN_SOURCE 700
#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#define SCHEME "quorbix"
#define START_URI SCHEME "://board/index.html"
#define TITLE "quorbix"
/* The board's narrowest and shortest useful size, as on a small phone. */
#define MIN_WIDTH 360
#define MIN_HEIGHT 560

/* What depends on GTK 3 and WebKitGTK 4.1, together: moving to GTK 4 and
 * WebKitGTK 6.0 changes these lines (a window's child, showing it, its
 * keys, opening a link, an ephemeral network session). */
static GtkWidget* new_window(void) { return gtk_window_new(GTK_WINDOW_TOPLEVEL); }
static void put_view(GtkWidget* window, GtkWidget* view) {
  gtk_container_add(GTK_CONTAINER(window), view);
}
static void show_window(GtkWidget* window) { gtk_widget_show_all(window); }
static void open_outside(GtkWidget* window, const char* uri) {
  GError* error = NULL;
  if (!gtk_show_uri_on_window(GTK_WINDOW(window), uri, GDK_CURRENT_TIME, &error)) {
    g_printerr("quorbix-board: cannot open %s: %s\n", uri, error->message);
    g_error_free(error);
  }
}
static WebKitWebContext* new_context(void) { return webkit_web_context_new_ephemeral(); }
static gboolean on_key(GtkWidget* window, GdkEventKey* event, gpointer data) {
  (void)data;
  guint key = gdk_keyval_to_lower(event->keyval);
  if ((event->state & GDK_CONTROL_MASK) && (key == GDK_KEY_q || key == GDK_KEY_w)) {
    gtk_widget_destroy(window);
    return TRUE;
  }
  return FALSE;
}
static void watch_keys(GtkWidget* window) {
  g_signal_connect(window, "key-press-event", G_CALLBACK(on_key), NULL);
}

/* The folder of the page's files, found once from this program's path. */
static char* page_folder;

/* The MIME type of a page's file, by its name's ending; NULL: not served. */
static const char* mime_type(const char* path) {
  static const char* const types[][2] = {
      {".html", "text/html"},    {".js", "text/javascript"},
      {".css", "text/css"},      {".wasm", "application/wasm"},
      {".svg", "image/svg+xml"}, {".png", "image/png"},
      {".txt", "text/plain"},    {".webmanifest", "application/manifest+json"},
  };
  for (size_t i = 0; i < G_N_ELEMENTS(types); i++) {
    if (g_str_has_suffix(path, types[i][0])) return types[i][1];
  }
  return NULL;
}

static void refuse(WebKitURISchemeRequest* request, const char* uri, const char* why) {
  GError* error = g_error_new(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "%s is not served: %s", uri, why);
  webkit_uri_scheme_request_finish_error(request, error);
  g_error_free(error);
}

/* A request of the page's: the file of its path inside the page's folder,
 * after every link is followed, with its MIME type; anything else is
 * refused. */
static void serve(WebKitURISchemeRequest* request, gpointer data) {
  (void)data;
  const char* uri = webkit_uri_scheme_request_get_uri(request);
  const char* asked = webkit_uri_scheme_request_get_path(request);
  if (!asked || !*asked || strcmp(asked, "/") == 0) asked = "/index.html";
  /* NULL for a path with an escaped NUL, which names no file. */
  char* path = g_uri_unescape_string(asked, NULL);
  if (!path) {
    refuse(request, uri, "its name holds a NUL");
    return;
  }
  char* file = g_build_filename(page_folder, path, NULL);
  char* real = realpath(file, NULL);
  size_t root = strlen(page_folder);
  const char* type = real ? mime_type(real) : NULL;
  char* contents = NULL;
  gsize length = 0;
  if (!real) {
    refuse(request, uri, g_strerror(errno));
  } else if (strncmp(real, page_folder, root) != 0 || real[root] != '/') {
    refuse(request, uri, "it is outside the page's folder");
  } else if (!type) {
    refuse(request, uri, "it is no file of the page's kinds");
  } else if (!g_file_get_contents(real, &contents, &length, NULL)) {
    refuse(request, uri, "it cannot be read");
  } else {
    /* The type as a header too, as a web server sends it, for the page's
     * own requests to see. */
    GInputStream* stream = g_memory_input_stream_new_from_data(contents, (gssize)length, g_free);
    WebKitURISchemeResponse* response = webkit_uri_scheme_response_new(stream, (gint64)length);
    webkit_uri_scheme_response_set_content_type(response, type);
    SoupMessageHeaders* headers = soup_message_headers_new(SOUP_MESSAGE_HEADERS_RESPONSE);
    soup_message_headers_append(headers, "Content-Type", type);
    webkit_uri_scheme_response_set_http_headers(response, headers);
    webkit_uri_scheme_request_finish_with_response(request, response);
    g_object_unref(response);
    g_object_unref(stream);
  }
  free(real);
  g_free(file);
  g_free(path);
}

/* A navigation stays inside the page; one elsewhere (a link out) opens in
 * the desktop's browser instead. */
static gboolean on_policy(WebKitWebView* view, WebKitPolicyDecision* decision,
                          WebKitPolicyDecisionType kind, gpointer window) {
  (void)view;
  if (kind != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION &&
      kind != WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
    return FALSE;
  }
  WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
      WEBKIT_NAVIGATION_POLICY_DECISION(decision));
  const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
  if (g_str_has_prefix(uri, SCHEME ":") && kind == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION)
    return FALSE;
  if (!g_str_has_prefix(uri, SCHEME ":")) open_outside(window, uri);
  webkit_policy_decision_ignore(decision);
  return TRUE;
}

/* No context menu: its entries (reload, inspect) are a browser's. */
static gboolean on_context_menu(WebKitWebView* view, WebKitContextMenu* menu, GdkEvent* event,
                                WebKitHitTestResult* hit, gpointer data) {
  (void)view, (void)menu, (void)event, (void)hit, (void)data;
  return TRUE;
}

/* The window showing the page; AUTOMATED: for a WebDriver session. */
static WebKitWebView* open_window(WebKitWebContext* context, gboolean automated) {
  GtkWidget* window = new_window();
  gtk_window_set_title(GTK_WINDOW(window), TITLE);
  gtk_window_set_default_size(GTK_WINDOW(window), 1000, 800);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);
  watch_keys(window);
  WebKitSettings* settings =
      webkit_settings_new_with_settings("enable-developer-extras", FALSE, NULL);
  GtkWidget* view =
      GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context, "settings", settings,
                              "is-controlled-by-automation", automated, NULL));
  g_object_unref(settings);
  gtk_widget_set_size_request(view, MIN_WIDTH, MIN_HEIGHT);
  g_signal_connect(view, "decide-policy", G_CALLBACK(on_policy), window);
  g_signal_connect(view, "context-menu", G_CALLBACK(on_context_menu), NULL);
  /* The page, or a WebDriver session, closes it. */
  g_signal_connect_swapped(view, "close", G_CALLBACK(gtk_widget_destroy), window);
  put_view(window, view);
  webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), START_URI);
  show_window(window);
  gtk_widget_grab_focus(view);
  return WEBKIT_WEB_VIEW(view);
}

static WebKitWebView* on_create_web_view(WebKitAutomationSession* session, gpointer context) {
  (void)session;
  return open_window(context, TRUE);
}

static void on_automation_started(WebKitWebContext* context, WebKitAutomationSession* session,
                                  gpointer data) {
  (void)data;
  WebKitApplicationInfo* info = webkit_application_info_new();
  webkit_application_info_set_name(info, "quorbix-board");
  webkit_automation_session_set_application_info(session, info);
  webkit_application_info_unref(info);
  g_signal_connect(session, "create-web-view", G_CALLBACK(on_create_web_view), context);
}

/* The page's folder, relative to this program as the build places both. */
static char* find_page_folder(void) {
  char* self = g_file_read_link("/proc/self/exe", NULL);
  if (!self) return NULL;
  char* bin = g_path_get_dirname(self);
  char* folder = g_build_filename(bin, QUORBIX_PAGE_FOLDER, NULL);
  char* real = realpath(folder, NULL);
  g_free(folder);
  g_free(bin);
  g_free(self);
  return real;
}

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  gboolean automated = argc == 2 && strcmp(argv[1], "--automation") == 0;
  if (argc > 1 && !automated) {
    g_printerr("usage: quorbix-board [--automation]\n");
    return 2;
  }
  page_folder = find_page_folder();
  if (!page_folder) {
    g_printerr("quorbix-board: the page's files are missing (%s beside the program)\n",
               QUORBIX_PAGE_FOLDER);
    return 1;
  }
  WebKitWebContext* context = new_context();
  webkit_web_context_register_uri_scheme(context, SCHEME, serve, NULL, NULL);
  WebKitSecurityManager* security = webkit_web_context_get_security_manager(context);
  webkit_security_manager_register_uri_scheme_as_secure(security, SCHEME);
  webkit_security_manager_register_uri_scheme_as_cors_enabled(security, SCHEME);
  if (automated) {
    webkit_web_context_set_automation_allowed(context, TRUE);
    g_signal_connect(context, "automation-started", G_CALLBACK(on_automation_started), NULL);
  } else {
    open_window(context, FALSE);
  }
  gtk_main();
  g_object_unref(context);
  free(page_folder);
  return 0;
}
