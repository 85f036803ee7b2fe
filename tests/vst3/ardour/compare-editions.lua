-- The VST 3 and VST 2.4 editions side by side in a headless Ardour 7 session: both tracks record the
-- same two inputs of the dummy backend's sweep, and both bounce one of the takes through their
-- plug-in with the same settings; the session is saved for compare-editions.sh to reopen (ORBITONE_ARDOUR_REOPEN=1).
backend = AudioEngine:set_backend("None (Dummy)", "", "")
backend:set_device_name("Sine Sweep")
local path = os.getenv("ORBITONE_ARDOUR_SESSION")

-- parameter index = value in the parameter's own units
local smoothing = tonumber(os.getenv("ORBITONE_SMOOTHING") or "0")
local values = { [9] = 1, [0] = -35, [1] = 60, [2] = 72, [7] = -9, [8] = -15, [10] = -3.5, [6] = smoothing, [11] = 1 }
local ranges = { [9] = {0, 1}, [0] = {-100, 100}, [1] = {-100, 100}, [2] = {-100, 100}, [7] = {-60, 10},
                 [8] = {-60, 10}, [10] = {-20, 20}, [6] = {0, 1000}, [11] = {0, 4} }

local function print_parameters(name, t)
  local p = t:nth_plugin(0)
  local line = name .. " parameters"
  for k = 0, 22 do line = line .. string.format(" %d=%.4f", k, ARDOUR.LuaAPI.get_processor_param(p, k)) end
  print(line)
end

if os.getenv("ORBITONE_ARDOUR_REOPEN") then
  s = load_session(path, "orbi")
  assert(s)
  for t in s:get_tracks():iter() do print_parameters(t:name(), t) end
  close_session()
  quit()
  -- quit() only ends the tool once the script is through.
  do return end
end

s = create_session(path, "orbi", 48000)
assert(s)

local function track_with(name, id, kind, set)
  local t = s:new_audio_track(2, 2, nil, 1, name, ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true):front()
  t:set_strict_io(false)
  local p = ARDOUR.LuaAPI.new_plugin(s, id, kind, "")
  assert(not p:isnil(), name)
  t:add_processor_by_index(p, 0, nil, true)
  set(p)
  t:panner_shell():set_bypassed(true)
  print(name, "outputs", p:to_plugininsert():output_streams():n_audio())
  return t, p
end

-- The VST 2.4 module takes normalised values; Ardour shows the VST 3 parameters in their own units
-- where they are stepped and normalised otherwise, so both are set through the plug-in's own mapping.
local tv, pv = track_with("VST", "Orbitone", ARDOUR.PluginType.LXVST, function(p)
  for k, v in pairs(values) do
    assert(ARDOUR.LuaAPI.set_processor_param(p, k, (v - ranges[k][1]) / (ranges[k][2] - ranges[k][1])))
  end
end)
local t3, p3 = track_with("VST3", "Orbitone", ARDOUR.PluginType.VST3, function(p)
  for k, v in pairs(values) do
    local _, _, pd = ARDOUR.LuaAPI.plugin_automation(p, k)
    local n = (v - ranges[k][1]) / (ranges[k][2] - ranges[k][1])
    assert(ARDOUR.LuaAPI.set_processor_param(p, k, pd.lower + n * (pd.upper - pd.lower)))
  end
end)
-- New tracks are connected to the inputs by the session in its own time: that has to be over
-- before the inputs are set, or a track records two inputs summed.
ARDOUR.LuaAPI.usleep(1000000)
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
  print(t:name(), "regions", t:to_track():playlist():region_list():size())
end
-- The tracks' recordings may start a few samples apart: both bounce the VST 2.4 track's take.
assert(t3:to_track():use_playlist(ARDOUR.DataType("audio"), tv:to_track():playlist(), false) == 0)
local r3 = t3:bounce_range(0, 96000, ARDOUR.InterThreadInfo(), p3, true, "vst3out")
local rv = tv:bounce_range(0, 96000, ARDOUR.InterThreadInfo(), pv, true, "vstout")
print("bounced", not r3:isnil(), not rv:isnil())
for t in s:get_tracks():iter() do print_parameters(t:name(), t) end
s:save_state("")
close_session()
quit()
