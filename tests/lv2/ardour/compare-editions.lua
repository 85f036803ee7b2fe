-- The LV2 and VST editions side by side in a headless Ardour 7 session: both tracks record the same
-- two inputs of the dummy backend's sweep, each with the same settings, and both bounce the LV2 track's
-- take at the plug-in's output.
backend = AudioEngine:set_backend("None (Dummy)", "", "")
backend:set_device_name("Sine Sweep")
s = create_session(os.getenv("ORBITONE_ARDOUR_SESSION"), "orbi", 48000)
assert(s)

local function track_with(name, uri, kind, values)
  local t = s:new_audio_track(2, 2, nil, 1, name, ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true):front()
  t:set_strict_io(false)
  local p = ARDOUR.LuaAPI.new_plugin(s, uri, kind, "")
  assert(not p:isnil(), name)
  t:add_processor_by_index(p, 0, nil, true)
  for index, value in pairs(values) do assert(ARDOUR.LuaAPI.set_processor_param(p, index, value)) end
  print(name, "outputs", p:to_plugininsert():output_streams():n_audio())
  return t, p
end

-- parameter index = value in the parameter's units (LV2) and normalised (VST)
local smoothing = tonumber(os.getenv("ORBITONE_SMOOTHING") or "0")
local lv2 = { [9] = 1, [0] = -35, [1] = 60, [2] = 72, [7] = -9, [8] = -15, [10] = -3.5, [6] = smoothing, [11] = 1 }
local vst = {}
local ranges = { [9] = {0, 1}, [0] = {-100, 100}, [1] = {-100, 100}, [2] = {-100, 100}, [7] = {-60, 10},
                 [8] = {-60, 10}, [10] = {-20, 20}, [6] = {0, 1000}, [11] = {0, 4} }
for k, v in pairs(lv2) do vst[k] = (v - ranges[k][1]) / (ranges[k][2] - ranges[k][1]) end

local tl, pl = track_with("LV2", "urn:velmora:orbitone", ARDOUR.PluginType.LV2, lv2)
local tv, pv = track_with("VST", "Orbitone", ARDOUR.PluginType.LXVST, vst)
-- Both tracks record the same two inputs of the backend's sweep generator: the same audio in each.
for t in s:get_tracks():iter() do
  t:input():disconnect_all(nil)
  t:input():audio(0):connect("system:capture_1")
  t:input():audio(1):connect("system:capture_2")
end
for t in s:get_tracks():iter() do t:rec_enable_control():set_value(1, PBD.GroupControlDisposition.NoGroup) end
s:maybe_enable_record(false)
s:request_roll(ARDOUR.TransportRequestSource.TRS_UI)
ARDOUR.LuaAPI.usleep(2500000)
s:request_stop(false, false, ARDOUR.TransportRequestSource.TRS_UI)
ARDOUR.LuaAPI.usleep(500000)
for t in s:get_tracks():iter() do
  local pl = t:to_track():playlist()
  print(t:name(), "regions", pl:region_list():size())
end
-- The two takes of one recording may differ in their first samples (seen: 16); both bounces read the
-- LV2 track's take, so that they start from equal inputs.
assert(tv:to_track():use_playlist(ARDOUR.DataType("audio"), tl:to_track():playlist(), true) == 0)
local rl = tl:bounce_range(0, 96000, ARDOUR.InterThreadInfo(), pl, true, "lv2out")
local rv = tv:bounce_range(0, 96000, ARDOUR.InterThreadInfo(), pv, true, "vstout")
print("bounced", not rl:isnil(), not rv:isnil())
s:save_state("")
close_session()
quit()
