<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>Window</name>
    <message>
        <source>KIRO Remote (simulated receivers)</source>
        <translation>KIRO 遥控器（模拟接收器）</translation>
    </message>
    <message>
        <source>connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>connecting</source>
        <translation>连接中</translation>
    </message>
    <message>
        <source>disconnected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Not accepting commands</source>
        <translation>不接受命令</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>定时</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>对焦</translation>
    </message>
    <message>
        <source>Shutter release</source>
        <translation>快门</translation>
    </message>
    <message>
        <source>Green lamp</source>
        <translation>绿灯</translation>
    </message>
    <message>
        <source>Blue lamp</source>
        <translation>蓝灯</translation>
    </message>
    <message>
        <source>Red lamp</source>
        <translation>红灯</translation>
    </message>
    <message>
        <source>Search for receivers</source>
        <translation>搜索接收器</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>返回</translation>
    </message>
    <message>
        <source>Timed shooting</source>
        <translation>定时拍摄</translation>
    </message>
    <message>
        <source>Stop timed shooting</source>
        <translation>停止定时拍摄</translation>
    </message>
    <message>
        <source>%1, %2 missed</source>
        <translation>%1，错过 %2 张</translation>
    </message>
    <message>
        <source>%1, %2 short</source>
        <translation>%1，%2 张过短</translation>
    </message>
    <message>
        <source>%1, next in %2</source>
        <translation>%1，下一张 %2 后</translation>
    </message>
    <message>
        <source>Shot %1 of %2</source>
        <translation>第 %1 张，共 %2 张</translation>
    </message>
    <message>
        <source>Shot %1</source>
        <translation>第 %1 张</translation>
    </message>
    <message>
        <source>the system went to sleep</source>
        <translation>系统已休眠</translation>
    </message>
    <message>
        <source>the app is ending</source>
        <translation>应用正在退出</translation>
    </message>
    <message>
        <source>Bluetooth Device</source>
        <translation>蓝牙设备</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Receivers</source>
        <translation>接收器</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>%1, connected</source>
        <translation>%1，已连接</translation>
    </message>
    <message>
        <source>%1, connecting</source>
        <translation>%1，连接中</translation>
    </message>
    <message>
        <source>%1, disconnected</source>
        <translation>%1，未连接</translation>
    </message>
    <message>
        <source>Can not connect</source>
        <translation>无法连接</translation>
    </message>
    <message>
        <source>A device has connected</source>
        <translation>已有设备连接</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>好</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>版本 %1</translation>
    </message>
    <message>
        <source>Thank you for using the KIRO-Remoter APP</source>
        <translation>感谢使用 KIRO-Remoter 应用</translation>
    </message>
    <message>
        <source>The APP is a wireless remoter.It can communicate with the KIRO receiver via the bluetooth,and then to realize the focus and shutter release on the camera.</source>
        <translation>本应用是一个无线遥控器。它通过蓝牙与 KIRO 接收器通信，从而控制相机对焦和释放快门。</translation>
    </message>
    <message>
        <source>How to use?</source>
        <translation>如何使用？</translation>
    </message>
    <message>
        <source>Before using the APP, ensure that the Bluetooth of your KIRO and your cellphone are on and the KIRO has been connected to the camera properly.</source>
        <translation>使用前，请确认 KIRO 和手机的蓝牙均已打开，并且 KIRO 已正确连接到相机。</translation>
    </message>
    <message>
        <source>1.Click</source>
        <translation>1. 点击</translation>
    </message>
    <message>
        <source>button to search your KIRO.</source>
        <translation>按钮搜索您的 KIRO。</translation>
    </message>
    <message>
        <source>2.While your KIRO is searched and listed, click Bluetooth button and the APP will connect with your KIRO. If the connection is successful, the Bluetooth button will light up.</source>
        <translation>2. 找到并列出您的 KIRO 后，点击蓝牙按钮，应用将与 KIRO 连接。连接成功后，蓝牙按钮会亮起。</translation>
    </message>
    <message>
        <source>3.To back to main menu, click &apos; &lt; &apos;.</source>
        <translation>3. 点击 &apos; &lt; &apos; 返回主菜单。</translation>
    </message>
    <message>
        <source>4.To do the focus, press F button. A green indicator will light up to indicate that the KIRO has got the command.</source>
        <translation>4. 按 F 按钮对焦。绿色指示灯亮起，表示 KIRO 已收到命令。</translation>
    </message>
    <message>
        <source>5.To do the shutter release, press R button. A red indicator and a blue indicator will light up to indicate that the KIRO has got the command and the camera has completed the shutter release successfully.</source>
        <translation>5. 按 R 按钮释放快门。红色和蓝色指示灯亮起，表示 KIRO 已收到命令，相机已成功释放快门。</translation>
    </message>
    <message>
        <source>Copyright © 2026 KIRO Remote developers. All rights reserved.</source>
        <translation>版权所有 © 2026 KIRO Remote 开发者。保留所有权利。</translation>
    </message>
    <message>
        <source>Self-timer</source>
        <translation>自拍</translation>
    </message>
    <message>
        <source>Bulb</source>
        <translation>B 门</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>间隔</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>延时</translation>
    </message>
    <message>
        <source>Start at</source>
        <translation>开始于</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>间隔</translation>
    </message>
    <message>
        <source>Shots</source>
        <translation>张数</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>press</source>
        <translation>按住</translation>
    </message>
    <message>
        <source>forever</source>
        <translation>不限</translation>
    </message>
    <message>
        <source>Countdown sound: on</source>
        <translation>倒计时声音：开</translation>
    </message>
    <message>
        <source>Countdown sound: off</source>
        <translation>倒计时声音：关</translation>
    </message>
    <message>
        <source>Delay or start time</source>
        <translation>延时或开始时间</translation>
    </message>
    <message>
        <source>%1, less</source>
        <translation>%1，减少</translation>
    </message>
    <message>
        <source>%1, more</source>
        <translation>%1，增加</translation>
    </message>
    <message>
        <source>Delay: %1</source>
        <translation>延时：%1</translation>
    </message>
    <message>
        <source>Start at: %1</source>
        <translation>开始于：%1</translation>
    </message>
    <message>
        <source>Bulb: %1</source>
        <translation>B 门：%1</translation>
    </message>
    <message>
        <source>Interval: %1</source>
        <translation>间隔：%1</translation>
    </message>
    <message>
        <source>Shots: %1</source>
        <translation>张数：%1</translation>
    </message>
    <message>
        <source>First shot %1, ends about %2</source>
        <translation>第一张 %1，约 %2 结束</translation>
    </message>
    <message>
        <source>First shot %1, until stopped</source>
        <translation>第一张 %1，直到停止</translation>
    </message>
    <message>
        <source>Cannot use that value</source>
        <translation>无法使用该值</translation>
    </message>
    <message>
        <source>Cannot start</source>
        <translation>无法开始</translation>
    </message>
    <message>
        <source>Cannot save</source>
        <translation>无法保存</translation>
    </message>
    <message>
        <source>Cannot use it</source>
        <translation>无法使用</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>好</translation>
    </message>
    <message>
        <source>the shots are 1 to %1, or forever: not %2</source>
        <translation>张数为 1 到 %1 或不限，不能是 %2</translation>
    </message>
    <message>
        <source>a bulb is from %1 to %2: not %3</source>
        <translation>B 门时间为 %1 到 %2，不能是 %3</translation>
    </message>
    <message>
        <source>a delay is from %1 to %2: not %3</source>
        <translation>延时为 %1 到 %2，不能是 %3</translation>
    </message>
    <message>
        <source>an interval is from %1 to %2: not %3</source>
        <translation>间隔为 %1 到 %2，不能是 %3</translation>
    </message>
    <message>
        <source>the interval must be more than zero</source>
        <translation>间隔必须大于零</translation>
    </message>
    <message>
        <source>the number of shots must be more than zero</source>
        <translation>张数必须大于零</translation>
    </message>
    <message>
        <source>the delay must be more than zero</source>
        <translation>延时必须大于零</translation>
    </message>
    <message>
        <source>the bulb time must be more than zero</source>
        <translation>B 门时间必须大于零</translation>
    </message>
    <message>
        <source>a bulb exposure needs its length</source>
        <translation>B 门曝光需要时长</translation>
    </message>
    <message>
        <source>the self-timer needs a delay or a start time</source>
        <translation>自拍需要延时或开始时间</translation>
    </message>
    <message>
        <source>a plan starts after a delay or at a time, not both</source>
        <translation>计划在延时后或在某个时间开始，不能两者都设</translation>
    </message>
    <message>
        <source>the plan would run %1, past 7 days</source>
        <translation>该计划将运行 %1，超过 7 天</translation>
    </message>
    <message>
        <source>a preset needs a name</source>
        <translation>预设需要名称</translation>
    </message>
    <message>
        <source>no preset named %1</source>
        <translation>没有名为 %1 的预设</translation>
    </message>
    <message>
        <source>a preset named %1 is there already</source>
        <translation>已有名为 %1 的预设</translation>
    </message>
    <message>
        <source>Done: 1 shot</source>
        <translation>完成：1 张</translation>
    </message>
    <message>
        <source>Done: %1 shots</source>
        <translation>完成：%1 张</translation>
    </message>
    <message>
        <source>Stopped after 1 shot: %1</source>
        <translation>拍摄 1 张后停止：%1</translation>
    </message>
    <message>
        <source>Stopped after %1 shots: %2</source>
        <translation>拍摄 %1 张后停止：%2</translation>
    </message>
    <message>
        <source>Stopped after 1 shot</source>
        <translation>拍摄 1 张后停止</translation>
    </message>
    <message>
        <source>Stopped after %1 shots</source>
        <translation>拍摄 %1 张后停止</translation>
    </message>
    <message>
        <source>A series is running: Stop first</source>
        <translation>定时拍摄进行中：请先停止</translation>
    </message>
    <message>
        <source>Ramp to</source>
        <translation>渐变至</translation>
    </message>
    <message>
        <source>Bracket</source>
        <translation>包围曝光</translation>
    </message>
    <message>
        <source>Ramp to: %1</source>
        <translation>渐变至：%1</translation>
    </message>
    <message>
        <source>Bracket: %1</source>
        <translation>包围曝光：%1</translation>
    </message>
    <message>
        <source>a ramp's last bulb is from %1 to %2: not %3</source>
        <translation>渐变的最后曝光为 %1 到 %2：不能是 %3</translation>
    </message>
    <message>
        <source>a bracket is none, or 3, 5, 7 or 9 shots up to 3 stops apart, such as 3x1/3: not %1</source>
        <translation>包围曝光为无，或 3、5、7 或 9 张、间隔至多 3 档，例如 3x1/3：不能是 %1</translation>
    </message>
    <message>
        <source>a ramp needs the bulb it starts from</source>
        <translation>渐变需要起始曝光时间</translation>
    </message>
    <message>
        <source>a ramp needs a number of shots, 2 or more, or an end</source>
        <translation>渐变需要拍摄张数（至少 2 张）或结束时间</translation>
    </message>
    <message>
        <source>a bracket needs a bulb to go around</source>
        <translation>包围曝光需要一个曝光时间作为中心</translation>
    </message>
    <message>
        <source>the interval (%1) is shorter than a shot (%2) and its release notice (%3)</source>
        <translation>间隔（%1）短于一次拍摄（%2）及其释放提示（%3）</translation>
    </message>
    <message>
        <source>the interval (%1) is shorter than the longest bulb (%2) and its release notice (%3)</source>
        <translation>间隔（%1）短于最长曝光（%2）及其释放提示（%3）</translation>
    </message>
    <message>
        <source>the interval (%1) is shorter than a bracket of %2 shots and their release notices (%3)</source>
        <translation>间隔（%1）短于 %2 张包围曝光及其释放提示（%3）</translation>
    </message>
    <message>
        <source>%1 tomorrow</source>
        <translation>明天 %1</translation>
    </message>
    <message>
        <source>%1 in %2 days</source>
        <translation>%2 天后 %1</translation>
    </message>
    <message>
        <source>No receiver chosen yet</source>
        <translation>尚未选择接收器</translation>
    </message>
    <message>
        <source>Not connected: shots are missed until it is</source>
        <translation>未连接：连接前的拍摄将错过</translation>
    </message>
    <message>
        <source>Until stopped</source>
        <translation>直到停止</translation>
    </message>
    <message>
        <source>Ends about %1, %2 left</source>
        <translation>约 %1 结束，剩余 %2</translation>
    </message>
    <message>
        <source>Name: %1</source>
        <translation>名称：%1</translation>
    </message>
    <message>
        <source>Saved as %1</source>
        <translation>已保存为 %1</translation>
    </message>
    <message>
        <source>Deleted %1</source>
        <translation>已删除 %1</translation>
    </message>
    <message>
        <source>Back: %1</source>
        <translation>已恢复 %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Built-in presets</source>
        <translation>内置预设</translation>
    </message>
    <message>
        <source>The built-in presets are back</source>
        <translation>内置预设已恢复</translation>
    </message>
    <message>
        <source>Cannot undo</source>
        <translation>无法撤销</translation>
    </message>
    <message>
        <source>a bracket takes 3, 5, 7 or 9 shots</source>
        <translation>包围曝光为 3、5、7 或 9 张</translation>
    </message>
    <message>
        <source>a bracket's step must be more than 0 and at most 3 stops</source>
        <translation>包围曝光的级差必须大于 0 且不超过 3 档</translation>
    </message>
    <message>
        <source>a preset's name cannot hold "=" or a line break: %1</source>
        <translation>预设名称不能包含“=”或换行：%1</translation>
    </message>
    <message>
        <source>a start time is from 00:00 to 23:59</source>
        <translation>开始时间为 00:00 到 23:59</translation>
    </message>
    <message>
        <source>at most %1 shots</source>
        <translation>最多 %1 张</translation>
    </message>
    <message>
        <source>ramps and brackets are for intervals</source>
        <translation>渐变和包围曝光仅用于间隔拍摄</translation>
    </message>
    <message>
        <source>the bulb time is at most %1</source>
        <translation>B 门时间最长为 %1</translation>
    </message>
    <message>
        <source>the delay is at most %1</source>
        <translation>延时最长为 %1</translation>
    </message>
    <message>
        <source>the interval is at most %1</source>
        <translation>间隔最长为 %1</translation>
    </message>
    <message>
        <source>the preset %1 cannot be used: %2</source>
        <translation>无法使用预设 %1：%2</translation>
    </message>
    <message>
        <source>the ramp's last bulb is at most %1</source>
        <translation>渐变的最后曝光时间最长为 %1</translation>
    </message>
    <message>
        <source>the ramp's last bulb must be more than zero</source>
        <translation>渐变的最后曝光时间必须大于零</translation>
    </message>
    <message>
        <source>a location is LAT LON in degrees with at most 6 decimals, such as 47.37 8.54: not %1</source>
        <translation>位置为以度表示的 LAT LON，最多 6 位小数，例如 47.37 8.54：不是 %1</translation>
    </message>
    <message>
        <source>a latitude is from -90 to 90: not %1</source>
        <translation>纬度为 -90 到 90：不是 %1</translation>
    </message>
    <message>
        <source>a longitude is from -180 to 180: not %1</source>
        <translation>经度为 -180 到 180：不是 %1</translation>
    </message>
    <message>
        <source>no %1 on %2 at %3: the sun stays above %4</source>
        <translation>%2 在 %3 没有 %1：太阳始终高于 %4</translation>
    </message>
    <message>
        <source>no %1 on %2 at %3: the sun stays below %4</source>
        <translation>%2 在 %3 没有 %1：太阳始终低于 %4</translation>
    </message>
    <message>
        <source>an offset from a sun event is at most %1</source>
        <translation>与太阳事件的偏移最多为 %1</translation>
    </message>
    <message>
        <source>a start at %1 needs a location, and the one kept cannot be used: %2</source>
        <translation>在 %1 开始需要位置，而保存的位置无法使用：%2</translation>
    </message>
    <message>
        <source>a start at %1 needs a location: location LAT LON</source>
        <translation>在 %1 开始需要位置：location LAT LON</translation>
    </message>
    <message>
        <source>a plan ends after a number of shots or at a time, not both</source>
        <translation>计划在若干张后或在某个时间结束，不能两者都设</translation>
    </message>
    <message>
        <source>a plan runs on 1 to %1 nights</source>
        <translation>计划可运行 1 到 %1 个夜晚</translation>
    </message>
    <message>
        <source>nights need a start (--at) and an end (--until)</source>
        <translation>多个夜晚需要开始时间（--at）和结束时间（--until）</translation>
    </message>
    <message>
        <source>keyframes set the bulb: give --bulb, --ramp or --key</source>
        <translation>关键帧设定曝光时间：请给出 --bulb、--ramp 或 --key 之一</translation>
    </message>
    <message>
        <source>at most %1 keyframes</source>
        <translation>至多 %1 个关键帧</translation>
    </message>
    <message>
        <source>keyframes need a number of shots or an end (--until)</source>
        <translation>关键帧需要拍摄张数或结束时间（--until）</translation>
    </message>
    <message>
        <source>a keyframe's interval is more than zero and at most %1</source>
        <translation>关键帧的间隔须大于零且至多 %1</translation>
    </message>
    <message>
        <source>an end, nights and keyframes are for intervals</source>
        <translation>结束时间、多个夜晚和关键帧只用于间隔拍摄</translation>
    </message>
    <message>
        <source>the plan would take more than %1 shots</source>
        <translation>计划将超过 %1 张</translation>
    </message>
    <message>
        <source>shot %1 (%2): the interval (%3) is shorter than a bracket of %4 shots and their release notices (%5)</source>
        <translation>第 %1 张（%2）：间隔（%3）短于 %4 张包围曝光及其释放提示（%5）</translation>
    </message>
    <message>
        <source>shot %1 (%2): the interval (%3) is shorter than its bulb (%4) and its release notice (%5)</source>
        <translation>第 %1 张（%2）：间隔（%3）短于其曝光（%4）及其释放提示（%5）</translation>
    </message>
    <message>
        <source>Cover the lens: %1 dark frames</source>
        <translation>请盖上镜头：%1 张暗场</translation>
    </message>
    <message>
        <source>Take the dark frames</source>
        <translation>拍摄暗场</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>继续</translation>
    </message>
    <message>
        <source>dark frames are 0 to %1</source>
        <translation>暗场为 0 到 %1 张</translation>
    </message>
    <message>
        <source>dark frames need an interval series that ends</source>
        <translation>暗场需要一个会结束的间隔拍摄</translation>
    </message>
    <message>
        <source>%1 shots, %2 missed; log: %3</source>
        <translation>%1 张，错过 %2 张；记录：%3</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1，%2</translation>
    </message>
    <message>
        <source>Night</source>
        <translation>夜间</translation>
    </message>
    <message>
        <source>First shot %1, %2 shots, ends about %3</source>
        <translation>第一张 %1，共 %2 张，约 %3 结束</translation>
    </message>
    <message>
        <source>%1: new</source>
        <translation>%1：新</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>the plan's</source>
        <translation>沿用计划</translation>
    </message>
    <message>
        <source>the nights are 1 to %1: not %2</source>
        <translation>夜数为 1 到 %1：不是 %2</translation>
    </message>
    <message>
        <source>the dark frames are 0 to %1: not %2</source>
        <translation>暗帧为 0 到 %1：不是 %2</translation>
    </message>
    <message>
        <source>the keyframes are 1 to %1: not %2</source>
        <translation>关键帧为 1 到 %1：不是 %2</translation>
    </message>
    <message>
        <source>Until</source>
        <translation>结束于</translation>
    </message>
    <message>
        <source>Nights</source>
        <translation>夜数</translation>
    </message>
    <message>
        <source>Dark frames</source>
        <translation>暗帧</translation>
    </message>
    <message>
        <source>Keyframe</source>
        <translation>关键帧</translation>
    </message>
    <message>
        <source>At</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Until: %1</source>
        <translation>结束于：%1</translation>
    </message>
    <message>
        <source>Nights: %1</source>
        <translation>夜数：%1</translation>
    </message>
    <message>
        <source>Dark frames: %1</source>
        <translation>暗帧：%1</translation>
    </message>
    <message>
        <source>Keyframe: %1</source>
        <translation>关键帧：%1</translation>
    </message>
    <message>
        <source>Keyframe at: %1</source>
        <translation>关键帧时间：%1</translation>
    </message>
    <message>
        <source>Keyframe bulb: %1</source>
        <translation>关键帧 B 门：%1</translation>
    </message>
    <message>
        <source>Keyframe interval: %1</source>
        <translation>关键帧间隔：%1</translation>
    </message>
    <message>
        <source>End or no end</source>
        <translation>结束或不结束</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Location: %1</source>
        <translation>位置：%1</translation>
    </message>
    <message>
        <source>Web</source>
        <translation>网页</translation>
    </message>
    <message>
        <source>Web remote</source>
        <translation>网页遥控</translation>
    </message>
    <message>
        <source>Web remote: on</source>
        <translation>网页遥控：开</translation>
    </message>
    <message>
        <source>Web remote: off</source>
        <translation>网页遥控：关</translation>
    </message>
    <message>
        <source>The web remote is not available in this run.</source>
        <translation>本次运行中网页遥控不可用。</translation>
    </message>
    <message>
        <source>Serving on %1</source>
        <translation>服务地址：%1</translation>
    </message>
    <message>
        <source>Not serving</source>
        <translation>未提供服务</translation>
    </message>
    <message>
        <source>Browsers connected: %1</source>
        <translation>已连接的浏览器：%1</translation>
    </message>
    <message>
        <source>Pairing code</source>
        <translation>配对码</translation>
    </message>
    <message>
        <source>Pairing address, shown as text</source>
        <translation>配对地址，以文字显示</translation>
    </message>
    <message>
        <source>Renew</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Renew now</source>
        <translation>立即更新</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Renew the pairing?</source>
        <translation>更新配对？</translation>
    </message>
    <message>
        <source>Every paired browser is shut out until it scans the new code. Touch Renew now to renew, or Cancel to keep the pairing.</source>
        <translation>每个已配对的浏览器都将被拒绝，直到它扫描新的配对码。点按“立即更新”以更新，或点按“取消”以保留配对。</translation>
    </message>
</context>
</TS>
